#include "runtime/qt/sheet_fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>

#include "qt_printers.h"

namespace tavrimo {
namespace {

TEST(SheetFonts, WindowsFaceNamesResolveToJapaneseFacesHoldingEveryGlyph)
{
    // Installing again (the test main did once) replaces the mapping.
    InstallSheetFontSubstitutions();
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    const std::pair<const char*, QString> faces[] = {
        {kGothicFace, "IPAGothic"}, {kMinchoFace, "IPAMincho"}, {kProportionalGothicFace, "IPAPGothic"}};
    for (const auto& [face, ipa] : faces) {
        SCOPED_TRACE(face);
        const QString name = QString::fromUtf8(face), family = ResolvedFontFamily(name);
        EXPECT_TRUE(QFontDatabase::families().contains(ipa) ? family == ipa : japanese.contains(family))
            << family;
        EXPECT_EQ(QFont::substitutes(name).size(), 1);
        // The sheet's fixed texts, digits, signs and default instruction come
        // from the face itself: no tofu, no glyph-by-glyph fallback.
        const QFontMetrics metrics{QFont(name)};
        for (const char32_t c :
             QStringLiteral("分数の引き算問題No.0123456789（　） -=つぎの計算をしましょう。").toUcs4())
            EXPECT_TRUE(metrics.inFontUcs4(c)) << "U+" << std::hex << static_cast<unsigned>(c);
    }
}

TEST(SheetFonts, MissingIpaFontsFallBackToAJapaneseFaceOfTheSameDesign)
{
    // The IPA fonts come first, the proportional one for the proportional name.
    const QStringList ipa{"DejaVu Sans", "IPAGothic", "IPAMincho", "IPAPGothic", "Noto Sans CJK JP"};
    const QStringList noto{"DejaVu Sans", "Noto Sans CJK JP", "Noto Serif CJK JP"};
    const QStringList other{"DejaVu Serif", "Example Mincho", "Example Gothic"};
    const auto choose = [](const char* name, const QStringList& installed, const QStringList& japanese) {
        return ChooseSubstituteFamily(QString::fromUtf8(name), installed, japanese);
    };
    EXPECT_EQ(choose(kGothicFace, ipa, ipa.mid(1)), "IPAGothic");
    EXPECT_EQ(choose(kProportionalGothicFace, ipa, ipa.mid(1)), "IPAPGothic");
    EXPECT_EQ(choose(kGothicFace, noto, noto.mid(1)), "Noto Sans CJK JP");
    EXPECT_EQ(choose(kMinchoFace, noto, noto.mid(1)), "Noto Serif CJK JP");
    EXPECT_EQ(choose(kMinchoFace, other, other.mid(1)), "Example Mincho");
    EXPECT_EQ(choose(kGothicFace, other, other.mid(1)), "Example Gothic");
    EXPECT_EQ(choose(kMinchoFace, other, {"Example Gothic"}), "Example Gothic");  // else any design
    EXPECT_EQ(choose(kGothicFace, {"DejaVu Sans"}, {}), "");
    EXPECT_EQ(choose("Arial", ipa, ipa.mid(1)), "");
}

}  // namespace
}  // namespace tavrimo
