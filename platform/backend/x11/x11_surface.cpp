// Presenting. The shared image mirrors the back buffer: damaged rows are copied in, then
// the server copies them out; XSync before returning keeps the next frame from writing
// into memory the server is still reading.
#include "platform/backend/x11/x11_surface.h"

#include "platform/backend/x11/x11_connection.h"

#include <sys/ipc.h>
#include <sys/shm.h>

#include <algorithm>
#include <bit>
#include <cstring>

namespace plat::x11 {

namespace {

// Past this many rectangles one covering rectangle costs less than many requests.
constexpr size_t kMaxRects = 16;
// Below this many bytes sending the pixels costs less than the round trip that a shared
// image needs before its memory may be written again.
constexpr long kShmMinBytes = 128 * 1024;

long BytesOf(const std::vector<Rect>& rects) {
    long bytes = 0;
    for (const Rect& r : rects)
        bytes += static_cast<long>(r.Width()) * r.Height() * 4;
    return bytes;
}

std::vector<Rect> DamagedRects(const Bitmap& backBuffer, const Region& damage) {
    std::vector<Rect> rects;
    damage.ForEachRectIn(backBuffer.Bounds(), [&](const Rect& r) { rects.push_back(r); });
    if (rects.size() > kMaxRects)
        rects = {damage.Bounds().Intersect(backBuffer.Bounds())};
    return rects;
}

} // namespace

X11Surface::X11Surface(X11Connection& connection, Window window)
    : m_connection(connection), m_window(window), m_gc(XCreateGC(connection.display(), window, 0, nullptr)) {
    XSetGraphicsExposures(connection.display(), m_gc, False);
}

X11Surface::~X11Surface() {
    ReleaseShmImage();
    XFreeGC(m_connection.display(), m_gc);
}

void X11Surface::Present(const Bitmap& backBuffer, const Region& damage) {
    if (backBuffer.IsEmpty())
        return;
    const std::vector<Rect> rects = DamagedRects(backBuffer, damage);
    if (rects.empty())
        return;
    if (m_connection.HasShm() && !m_shmFailed && BytesOf(rects) >= kShmMinBytes &&
        EnsureShmImage(backBuffer.Width(), backBuffer.Height()))
        PutShm(backBuffer, rects);
    else
        PutPlain(backBuffer, rects);
}

bool X11Surface::EnsureShmImage(int width, int height) {
    if (m_image && m_image->width == width && m_image->height == height)
        return true;
    ReleaseShmImage();
    Display* d = m_connection.display();
    m_image = XShmCreateImage(d, m_connection.visual(), static_cast<unsigned>(m_connection.Depth()), ZPixmap,
                              nullptr, &m_shm, static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (!m_image) {
        m_shmFailed = true;
        return false;
    }
    m_shm.shmid =
        shmget(IPC_PRIVATE, static_cast<size_t>(m_image->bytes_per_line) * height, IPC_CREAT | 0600);
    m_shm.shmaddr =
        m_shm.shmid < 0 ? reinterpret_cast<char*>(-1) : static_cast<char*>(shmat(m_shm.shmid, nullptr, 0));
    if (m_shm.shmid >= 0)
        shmctl(m_shm.shmid, IPC_RMID, nullptr); // freed by the system once both sides detach
    if (m_shm.shmaddr == reinterpret_cast<char*>(-1)) {
        XDestroyImage(m_image);
        m_image = nullptr;
        m_shmFailed = true;
        return false;
    }
    m_image->data = m_shm.shmaddr;
    m_shm.readOnly = True;
    XShmAttach(d, &m_shm);
    if (m_connection.SyncForError() != 0) {
        shmdt(m_shm.shmaddr);
        m_image->data = nullptr;
        XDestroyImage(m_image);
        m_image = nullptr;
        m_shmFailed = true;
        return false;
    }
    return true;
}

void X11Surface::ReleaseShmImage() {
    if (!m_image)
        return;
    XShmDetach(m_connection.display(), &m_shm);
    m_connection.SyncForError();
    shmdt(m_shm.shmaddr);
    m_image->data = nullptr;
    XDestroyImage(m_image);
    m_image = nullptr;
}

void X11Surface::PutShm(const Bitmap& backBuffer, const std::vector<Rect>& rects) {
    Display* d = m_connection.display();
    for (const Rect& r : rects) {
        const size_t bytes = static_cast<size_t>(r.Width()) * sizeof(std::uint32_t);
        for (int y = r.top; y < r.bottom; ++y)
            std::memcpy(m_image->data + static_cast<size_t>(y) * m_image->bytes_per_line + r.left * 4,
                        backBuffer.Row(y) + r.left, bytes);
        XShmPutImage(d, m_window, m_gc, m_image, r.left, r.top, r.left, r.top,
                     static_cast<unsigned>(r.Width()), static_cast<unsigned>(r.Height()), False);
    }
    m_connection.SyncForError();
}

void X11Surface::PutPlain(const Bitmap& backBuffer, const std::vector<Rect>& rects) {
    Display* d = m_connection.display();
    // An image header over the back buffer's own pixels: XPutImage copies them out
    // before it returns, so nothing is allocated per frame.
    XImage* image =
        XCreateImage(d, m_connection.visual(), static_cast<unsigned>(m_connection.Depth()), ZPixmap, 0,
                     const_cast<char*>(reinterpret_cast<const char*>(backBuffer.Data())),
                     static_cast<unsigned>(backBuffer.Width()), static_cast<unsigned>(backBuffer.Height()),
                     32, backBuffer.Width() * 4);
    if (!image)
        return;
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    for (const Rect& r : rects)
        XPutImage(d, m_window, m_gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.Width()),
                  static_cast<unsigned>(r.Height()));
    image->data = nullptr;
    XDestroyImage(image);
    XFlush(d);
}

} // namespace plat::x11
