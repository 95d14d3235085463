#include <gtest/gtest.h>
#include "shell/form.h"
#include "sprites/player.h"
#include "support/test_assets.h"
TEST(Dbg, Px) {
    auto form = MakeTestForm();
    printf("sprites %d children %zu\n", form->MDXSpriteEngine.SpriteCount, form->MDXSpriteEngine.Children.size());
    for (auto* s : form->MDXSpriteEngine.Children) printf(" child %p vis %d x %f y %f w %d h %d z %d\n", (void*)s, s->Visible, s->X, s->Y, s->Width, s->Height, s->Z());
    std::vector<uint32_t> px;
    form->MDXDraw.ClearTo(0);
    form->MDXDraw.ReadPixels(px);
    printf("%08x %08x\n", px[0], px[478*800+467]);
    form->MDXSpriteEngine.DrawAll();
    form->MDXDraw.ReadPixels(px);
    printf("%08x %08x\n", px[0], px[478*800+467]);
}
