#include "find/listan_paikka.h"

#include <gtest/gtest.h>

#include <utility>

TEST(ListanPaikka, LiitetynListanPaikka) {
    struct Tapaus {
        int paa_x, leveys, lista_x, uusi_paa_x;
    };
    for (const Tapaus t : {Tapaus{500, 300, 201, 500}, Tapaus{299, 300, 0, 299}, Tapaus{298, 300, 0, 299},
                           Tapaus{0, 300, 0, 299}})
        EXPECT_EQ((std::pair{liitetyn_listan_paikka(t.paa_x, t.leveys).lista_x,
                             liitetyn_listan_paikka(t.paa_x, t.leveys).paa_x}),
                  (std::pair{t.lista_x, t.uusi_paa_x}))
            << t.paa_x;
}
