#include "storage/tyokansio.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Tyokansio {
    fs::path polku;
    Tyokansio() {
        std::string malli = (fs::temp_directory_path() / "rullakko-XXXXXX").string();
        if (::mkdtemp(malli.data())) polku = malli;
        else polku = fs::temp_directory_path();
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
