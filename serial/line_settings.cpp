#include "serial/line_settings.h"

#include <sys/ioctl.h>

namespace serial {

speed_t SpeedCode(std::uint32_t baudRate)
{
    switch (baudRate) {
    case 50: return B50;
    case 75: return B75;
    case 110: return B110;
    case 134: return B134;
    case 150: return B150;
    case 200: return B200;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 1800: return B1800;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    case 460800: return B460800;
    case 500000: return B500000;
    case 576000: return B576000;
    case 921600: return B921600;
    case 1000000: return B1000000;
    case 1152000: return B1152000;
    case 1500000: return B1500000;
    case 2000000: return B2000000;
    case 2500000: return B2500000;
    case 3000000: return B3000000;
    case 3500000: return B3500000;
    case 4000000: return B4000000;
    default: return B0;
    }
}

LineImage BuildLineImage(const CommSettings& s, const termios& current)
{
    LineImage image;
    termios& t = image.tio;
    t = current;
    cfmakeraw(&t);
    // Non-blocking reads with VMIN 1 return 0 only at end of file, which is
    // how the receiver recognises a vanished device.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;

    if (const speed_t code = SpeedCode(s.BaudRate); code != B0) {
        cfsetispeed(&t, code);
        cfsetospeed(&t, code);
        image.baudApplied = true;
    }

    t.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL | HUPCL;
    switch (s.ByteSize) {
    case TByteSize::_5: t.c_cflag |= CS5; break;
    case TByteSize::_6: t.c_cflag |= CS6; break;
    case TByteSize::_7: t.c_cflag |= CS7; break;
    case TByteSize::_8: t.c_cflag |= CS8; break;
    }
    switch (s.Parity) {
    case TParity::None: break;
    case TParity::Odd: t.c_cflag |= PARENB | PARODD; break;
    case TParity::Even: t.c_cflag |= PARENB; break;
    case TParity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case TParity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (s.StopBits != TStopBits::_1)
        t.c_cflag |= CSTOPB;
    if (s.Outx_CtsFlow || s.RtsControl == TRtsControl::RtsHandshake)
        t.c_cflag |= CRTSCTS;

    t.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | IGNPAR | PARMRK);
    if (s.ParityCheck)
        t.c_iflag |= INPCK; // bytes received with an error arrive as 0
    if (s.Outx_XonXoffFlow)
        t.c_iflag |= IXON;
    if (s.Inx_XonXoffFlow)
        t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(s.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(s.XoffChar);

    if (s.DtrControl == TDtrControl::DtrDisable)
        image.modemClear |= TIOCM_DTR;
    else
        image.modemSet |= TIOCM_DTR;
    switch (s.RtsControl) {
    case TRtsControl::RtsEnable:
    case TRtsControl::RtsHandshake: image.modemSet |= TIOCM_RTS; break;
    case TRtsControl::RtsDisable:
    case TRtsControl::RtsTransmissionAvailable: image.modemClear |= TIOCM_RTS; break;
    }
    return image;
}

} // namespace serial
