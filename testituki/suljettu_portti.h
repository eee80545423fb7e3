#pragma once
// A port of 127.0.0.1 that refuses connections: bound while this lives, never listening.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testituki {

struct SuljettuPortti {
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    int portti = 0;

    SuljettuPortti() {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t n = sizeof a;
        ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &n);
        portti = ntohs(a.sin_port);
    }
    ~SuljettuPortti() { ::close(s); }
    SuljettuPortti(const SuljettuPortti&) = delete;
    SuljettuPortti& operator=(const SuljettuPortti&) = delete;
};

// A server on 127.0.0.1 that takes connections and never says a word: the system completes each connection
// from its backlog while nobody ever reads or writes.
struct MykkaPalvelin : SuljettuPortti {
    MykkaPalvelin() { ::listen(s, 16); }
};

// A port that was free a moment ago and has nobody listening.
inline int vapaa_portti() { return SuljettuPortti().portti; }

}  // namespace testituki
