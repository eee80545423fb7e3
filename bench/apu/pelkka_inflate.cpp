// pelkka_inflate FILE OFFSET LENGTH: inflates the zlib stream at OFFSET of FILE to standard output, reading
// and writing 64 KB at a time, as a plain unpacking tool does. The end-to-end baseline of the command-line
// benchmark: a process start, the file read and the inflate, with nothing built from the bytes.
#include <fcntl.h>
#include <unistd.h>
#include <zlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: pelkka_inflate FILE OFFSET LENGTH\n");
        return 1;
    }
    const int fd = ::open(argv[1], O_RDONLY);
    off_t kohta = std::atoll(argv[2]);
    long long jaljella = std::atoll(argv[3]);
    if (fd < 0) return 1;
    static unsigned char sisaan[1 << 16], ulos[1 << 16];
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return 1;
    int tila = Z_OK;
    while (tila != Z_STREAM_END && jaljella > 0) {
        const ssize_t n = ::pread(fd, sisaan, jaljella < static_cast<long long>(sizeof sisaan) ? jaljella : sizeof sisaan, kohta);
        if (n <= 0) return 1;
        kohta += n;
        jaljella -= n;
        z.next_in = sisaan;
        z.avail_in = static_cast<uInt>(n);
        do {
            z.next_out = ulos;
            z.avail_out = sizeof ulos;
            tila = inflate(&z, Z_NO_FLUSH);
            if (tila != Z_OK && tila != Z_STREAM_END) return 1;
            const std::size_t saatu = sizeof ulos - z.avail_out;
            if (::write(1, ulos, saatu) != static_cast<ssize_t>(saatu)) return 1;
        } while (z.avail_out == 0);
    }
    inflateEnd(&z);
    return tila == Z_STREAM_END ? 0 : 1;
}
