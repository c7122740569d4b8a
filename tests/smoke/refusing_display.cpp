// A stand-in X display that admits its first client and refuses every later one, as a busy X
// server does once it has as many clients as it allows. It listens on the abstract socket of the
// first free display number from 90 up, prints that number on a line of its own, and serves
// clients one at a time until it is killed:
//
//   refusing_display        # prints e.g. "90"; then DISPLAY=:90 reaches it
//
// The admitted client gets a complete connection setup (one 640x480 screen of depth 24) and is
// then disconnected, which is all a program's own display check needs; every later client gets
// the refusal "Maximum number of clients reached".
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr char RefusalReason[] = "Maximum number of clients reached";

class Reply {
public:
    void card8(std::uint8_t value) { bytes_.push_back(value); }
    void card16(std::uint16_t value) { append(&value, sizeof value); }
    void card32(std::uint32_t value) { append(&value, sizeof value); }
    void text(const char* value)
    {
        append(value, std::strlen(value));
        pad();
    }
    void zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
    void pad() { zeros((4 - bytes_.size() % 4) % 4); }
    std::size_t size() const { return bytes_.size(); }
    void setCard16(std::size_t at, std::uint16_t value) { std::memcpy(&bytes_[at], &value, sizeof value); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    void append(const void* data, std::size_t size)
    {
        const auto* first = static_cast<const std::uint8_t*>(data);
        bytes_.insert(bytes_.end(), first, first + size);
    }
    std::vector<std::uint8_t> bytes_;
};

// The connection setup of a server with one screen, in the byte order the client asked for;
// this program answers only little-endian clients ('l'), which is what every x86 client sends.
Reply Admission()
{
    Reply reply;
    reply.card8(1);  // success
    reply.card8(0);
    reply.card16(11);
    reply.card16(0);
    reply.card16(0);  // length in 4-byte units, set below
    reply.card32(1);  // release
    reply.card32(0x00200000);  // resource-id base
    reply.card32(0x001fffff);  // resource-id mask
    reply.card32(0);
    reply.card16(static_cast<std::uint16_t>(std::strlen("Quadrell test display")));
    reply.card16(0xffff);  // maximum request length
    reply.card8(1);  // screens
    reply.card8(1);  // pixmap formats
    reply.card8(0);  // LSB first image byte order
    reply.card8(0);
    reply.card8(32);
    reply.card8(32);
    reply.card8(8);  // minimum keycode
    reply.card8(255);  // maximum keycode
    reply.zeros(4);
    reply.text("Quadrell test display");
    reply.card8(24);  // pixmap format: depth, bits per pixel, scanline pad
    reply.card8(32);
    reply.card8(32);
    reply.zeros(5);
    reply.card32(0x100);  // root window
    reply.card32(0x21);  // default colormap
    reply.card32(0xffffff);  // white pixel
    reply.card32(0);  // black pixel
    reply.card32(0);  // current input masks
    reply.card16(640);
    reply.card16(480);
    reply.card16(169);
    reply.card16(127);
    reply.card16(1);
    reply.card16(1);
    reply.card32(0x20);  // root visual
    reply.card8(0);  // backing stores: never
    reply.card8(0);
    reply.card8(24);  // root depth
    reply.card8(1);  // depths
    reply.card8(24);
    reply.card8(0);
    reply.card16(1);  // visuals
    reply.zeros(4);
    reply.card32(0x20);  // the TrueColor visual
    reply.card8(4);
    reply.card8(8);
    reply.card16(256);
    reply.card32(0xff0000);
    reply.card32(0x00ff00);
    reply.card32(0x0000ff);
    reply.zeros(4);
    reply.setCard16(6, static_cast<std::uint16_t>((reply.size() - 8) / 4));
    return reply;
}

Reply Refusal()
{
    Reply reply;
    reply.card8(0);  // failed
    reply.card8(static_cast<std::uint8_t>(std::strlen(RefusalReason)));
    reply.card16(11);
    reply.card16(0);
    reply.card16(0);
    reply.text(RefusalReason);
    reply.setCard16(6, static_cast<std::uint16_t>((reply.size() - 8) / 4));
    return reply;
}

bool ReadFully(int fd, void* data, std::size_t size)
{
    auto* at = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(fd, at, size);
        if (got <= 0)
            return false;
        at += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

// Reads the client's connection request: byte order, version and the authorisation it offers.
bool ReadRequest(int fd)
{
    std::uint8_t header[12];
    if (!ReadFully(fd, header, sizeof header) || header[0] != 'l')
        return false;
    std::uint16_t nameLength = 0, dataLength = 0;
    std::memcpy(&nameLength, header + 6, 2);
    std::memcpy(&dataLength, header + 8, 2);
    std::vector<char> authorisation(((nameLength + 3u) & ~3u) + ((dataLength + 3u) & ~3u));
    return authorisation.empty() || ReadFully(fd, authorisation.data(), authorisation.size());
}

int Listen(int& display)
{
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    for (display = 90; display < 190; ++display) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string name = "/tmp/.X11-unix/X" + std::to_string(display);
        std::memcpy(address.sun_path + 1, name.data(), name.size());  // abstract: leading zero byte
        const auto length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
        if (bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && listen(fd, 8) == 0)
            return fd;
    }
    return -1;
}

}  // namespace

int main()
{
    int display = 0;
    const int listener = Listen(display);
    if (listener < 0) {
        std::perror("refusing_display: no free display number");
        return 1;
    }
    std::printf("%d\n", display);
    std::fflush(stdout);
    for (int clients = 0;; ++clients) {
        const int client = accept(listener, nullptr, nullptr);
        if (client < 0)
            continue;
        if (ReadRequest(client)) {
            const Reply reply = clients == 0 ? Admission() : Refusal();
            if (write(client, reply.bytes().data(), reply.size()) < 0)
                std::perror("refusing_display: write");
        }
        close(client);
    }
}
