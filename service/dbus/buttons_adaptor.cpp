// A profile's button functions as 32-byte records.
#include "service/dbus/adaptors.h"
#include "service/dbus/bus_errors.h"

void AddButtonsInterface(sdbus::IObject& object, CServiceBus& bus, const std::string& serial,
                         const plat::GUID& id) {
    auto buttons = ProfileFeature<IButtons>(bus, serial, id);
    object.registerMethod("GetFunctions")
        .onInterface(bus::kButtons)
        .withInputParamNames("capacity")
        .withOutputParamNames("records")
        .implementedAs([buttons](uint32_t capacity) {
            std::vector<FunctionRecord> records;
            Check(buttons->GetFunctions(capacity, records));
            std::vector<std::vector<uint8_t>> bytes;
            for (const FunctionRecord& record : records) {
                const auto raw = record.ToBytes();
                bytes.emplace_back(raw.begin(), raw.end());
            }
            return bytes;
        });
    object.registerMethod("SetFunctions")
        .onInterface(bus::kButtons)
        .withInputParamNames("records")
        .implementedAs([buttons](const std::vector<std::vector<uint8_t>>& bytes) {
            std::vector<FunctionRecord> records;
            for (const std::vector<uint8_t>& raw : bytes) {
                if (raw.size() != FunctionRecord::kSize) {
                    throw BusError(E_INVALIDARG);
                }
                records.push_back(FunctionRecord::FromBytes(raw.data()));
            }
            Check(buttons->SetFunctions(records));
        });
    object.registerMethod("GetHeader")
        .onInterface(bus::kButtons)
        .withOutputParamNames("version", "count", "flags")
        .implementedAs([buttons]() {
            ButtonHeader header;
            Check(buttons->GetHeader(header));
            return std::make_tuple(header.version, header.count, header.flags);
        });
}
