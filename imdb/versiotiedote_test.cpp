// The version news: only the sections of versions newer than the running one are told.
#include "imdb/versiotiedote.h"

#include <gtest/gtest.h>

namespace {

TEST(Versiotiedote, VainUudemmatVersiot) {
    const std::string tiedosto =
        "1.35\r\nVanha korjaus\r\n1.40\r\nUusi IMDb-haku toimii taas nykyisillä sivuilla\r\n\r\n"
        "Kansikuvat tarkistetaan ennen liittämistä\r\n1.38\r\nVälissä oleva versio\r\n";
    const std::string t = uusi_versio_teksti(tiedosto, 1.36);
    EXPECT_EQ(t, "Rullakkosta löytyy uudempi versio\n" + std::string(47, '-') +
                     "\n\nUusi IMDb-haku toimii taas nykyisillä sivuilla\nKansikuvat tarkistetaan ennen liittämistä\n"
                     "Välissä oleva versio\n\nHaluatko siirtyä ohjelman kotisivuille?");
    EXPECT_EQ(uusi_versio_teksti(tiedosto, 1.40), "");  // nothing newer: no question at all
    EXPECT_EQ(uusi_versio_teksti("<html>404</html>", 1.36), "");
}

}  // namespace
