#include "storage/tyokansio.h"

#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Tyokansio {
    fs::path polku;
    Tyokansio() {
        siivoa_vanhat_tyokansiot("rullakko");
        polku = luo_tyokansio("rullakko");
        if (polku.empty()) polku = fs::temp_directory_path();
    }
    ~Tyokansio() {
        std::error_code ec;
        if (polku != fs::temp_directory_path()) fs::remove_all(polku, ec);
    }
};

}  // namespace

const fs::path& ajon_tyokansio() {
    static const Tyokansio kansio;
    return kansio.polku;
}

fs::path luo_tyokansio(std::string_view etuliite) {
    std::string malli = (fs::temp_directory_path() / (std::string(etuliite) + "-" + std::to_string(::getpid()) + "-XXXXXX")).string();
    if (!::mkdtemp(malli.data())) return {};
    return malli;
}

void siivoa_vanhat_tyokansiot(std::string_view etuliite, const fs::path& kansio) {
    const std::string alku = std::string(etuliite) + "-";
    std::error_code ec;
    for (fs::directory_iterator it(kansio, ec), loppu; !ec && it != loppu; it.increment(ec)) {
        const std::string nimi = it->path().filename().string();
        if (nimi.rfind(alku, 0) != 0) continue;
        // "<prefix>-<pid>-XXXXXX": the process id, then mkdtemp's six characters.
        const std::size_t viiva = nimi.find('-', alku.size());
        if (viiva == std::string::npos || nimi.size() != viiva + 7) continue;
        int pid = 0;
        const char* a = nimi.data() + alku.size();
        if (std::from_chars(a, nimi.data() + viiva, pid).ptr != nimi.data() + viiva || pid <= 0 || pid == ::getpid()) continue;
        struct stat st {};
        if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid()) continue;
        if (::kill(pid, 0) == 0 || errno != ESRCH) continue;
        std::error_code poisto;
        fs::remove_all(it->path(), poisto);
    }
}
