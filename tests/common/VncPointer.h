#pragma once

// Under sway (tests/e2e/desktop sway) the pointer moves through the virtual
// pointer that a VNC server adds to the seat, as a hand moves a device.
// Warping sway's cursor with swaymsg skips what a device's motion brings:
// XWayland then never reports the pointer leaving its windows for the bare
// desktop or a Wayland window.

#include <QByteArray>
#include <QPoint>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

class TVncPointer {
public:
    // The one pointer of this desktop; not connected where there is none
    // (ZENTRO_VNC_SOCKET unset).
    static TVncPointer& Instance()
    {
        static TVncPointer pointer(qgetenv("ZENTRO_VNC_SOCKET"));
        return pointer;
    }

    ~TVncPointer()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool Connected() const { return m_fd >= 0; }

    // Moves in short steps from where the pointer was, as a hand does.
    void MoveTo(const QPoint& to)
    {
        constexpr int Steps = 6;
        for (int i = 1; i <= Steps; ++i) {
            Send(m_at + (to - m_at) * i / Steps, m_buttons);
            QThread::msleep(10);
        }
        m_at = to;
    }

    // Presses or releases a button (1 left, 2 middle, 3 right) where the
    // pointer is.
    void Button(int button, bool down)
    {
        const int bit = 1 << (button - 1);
        m_buttons = down ? m_buttons | bit : m_buttons & ~bit;
        Send(m_at, m_buttons);
    }

private:
    explicit TVncPointer(const QByteArray& path)
    {
        sockaddr_un address{};
        if (path.isEmpty() || size_t(path.size()) >= sizeof address.sun_path)
            return;
        address.sun_family = AF_UNIX;
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        m_fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (m_fd < 0 || ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) ||
            !Handshake()) {
            if (m_fd >= 0)
                ::close(m_fd);
            m_fd = -1;
        }
    }

    bool Read(char* data, size_t size)
    {
        for (size_t done = 0; done < size;) {
            const ssize_t n = ::read(m_fd, data + done, size - done);
            if (n <= 0)
                return false;
            done += size_t(n);
        }
        return true;
    }

    bool Write(const char* data, size_t size) { return ::write(m_fd, data, size) == ssize_t(size); }

    // Version 3.8, no security, a shared session; the server's pixels are
    // never asked for.
    bool Handshake()
    {
        char version[12];
        char count = 0;
        if (!Read(version, sizeof version) || !Write("RFB 003.008\n", 12) || !Read(&count, 1))
            return false;
        QByteArray types(quint8(count), '\0');
        if (!Read(types.data(), size_t(types.size())) || !types.contains('\1') || !Write("\1", 1))
            return false;
        char result[4];
        char init[24];
        if (!Read(result, 4) || qFromBigEndian<quint32>(result) != 0 || !Write("\1", 1) ||
            !Read(init, sizeof init))
            return false;
        QByteArray name(int(qFromBigEndian<quint32>(init + 20)), '\0');
        return Read(name.data(), size_t(name.size()));
    }

    void Send(const QPoint& at, int buttons)
    {
        char event[6] = {5, char(buttons)};
        qToBigEndian<quint16>(quint16(std::max(0, at.x())), event + 2);
        qToBigEndian<quint16>(quint16(std::max(0, at.y())), event + 4);
        Write(event, sizeof event);
    }

    int m_fd = -1;
    QPoint m_at;
    int m_buttons = 0;
};
