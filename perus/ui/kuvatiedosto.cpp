#include "perus/ui/kuvatiedosto.h"

#include <QImageReader>
#include <string>

#include "perus/tiedostojarjestelma.h"
#include "perus/tiedostot.h"

QImage lue_kuva(Tiedostojarjestelma& t, const std::filesystem::path& polku) {
    Tiedostotiedot tt;
    if (polku.empty() || !t.tiedot(polku, tt) || !tt.tavallinen) return {};
    // A packed picture is never larger than the decoder's limit for the picture it holds.
    const std::uint64_t raja = static_cast<std::uint64_t>(QImageReader::allocationLimit()) << 20;
    if (raja > 0 && tt.koko > raja) return {};
    std::string data;
    if (!lue_koko_tiedosto(t, polku, data)) return {};
    return QImage::fromData(reinterpret_cast<const uchar*>(data.data()), static_cast<int>(data.size()));
}
