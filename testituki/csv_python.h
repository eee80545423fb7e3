#pragma once
// Reads a CSV file with Python's csv module, as a spreadsheet-like reader would, and gives back its rows
// as UTF-8 fields; a file without the UTF-8 byte order mark gives no rows.
#include <filesystem>
#include <string>
#include <vector>

#include "testituki/komentotesti.h"

namespace testituki {

inline std::vector<std::vector<std::string>> lue_csv_pythonilla(const std::filesystem::path& tiedosto) {
    // Each row is a line "R", each field a line "F" and its bytes in hex, so nothing in a field can
    // disturb the reading back here.
    const std::string ohjelma =
        "import csv,sys\n"
        "raw=open(sys.argv[1],'rb').read()\n"
        "if not raw.startswith(b'\\xef\\xbb\\xbf'): sys.exit(3)\n"
        "with open(sys.argv[1],newline='',encoding='utf-8-sig') as f:\n"
        "  for r in csv.reader(f,strict=True):\n"
        "    print('R')\n"
        "    for k in r: print('F'+k.encode('utf-8').hex())\n";
    const std::filesystem::path skripti = tiedosto.string() + ".py";
    FILE* f = std::fopen(skripti.c_str(), "wb");
    std::fwrite(ohjelma.data(), 1, ohjelma.size(), f);
    std::fclose(f);
    const Ajotulos t = aja("python3 " + skripti.string() + " " + tiedosto.string());
    std::filesystem::remove(skripti);
    std::vector<std::vector<std::string>> rivit;
    if (t.koodi != 0) return rivit;
    std::size_t alku = 0;
    while (alku < t.ulos.size()) {
        std::size_t loppu = t.ulos.find('\n', alku);
        if (loppu == std::string::npos) loppu = t.ulos.size();
        const std::string rivi = t.ulos.substr(alku, loppu - alku);
        if (rivi == "R") {
            rivit.emplace_back();
        } else if (!rivi.empty() && rivi[0] == 'F' && !rivit.empty()) {
            std::string kentta;
            for (std::size_t i = 1; i + 1 < rivi.size(); i += 2)
                kentta += static_cast<char>(std::stoi(rivi.substr(i, 2), nullptr, 16));
            rivit.back().push_back(kentta);
        }
        alku = loppu + 1;
    }
    return rivit;
}

}  // namespace testituki
