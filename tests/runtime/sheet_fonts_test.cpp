#include "runtime/sheet_fonts.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QList>
#include <QStringList>

#include "qt_printers.h"

namespace tavrimo {
namespace {

struct FaceRow {
    const char* name;
    const char* ipaFamily;  // expected where the IPA fonts are installed
};

const FaceRow kFaceRows[] = {
    {kGothicFace, "IPAGothic"},
    {kMinchoFace, "IPAMincho"},
    {kProportionalGothicFace, "IPAPGothic"},
};

// Every character of the sheet's fixed texts, the digits and signs of the
// problems and the default instruction sentence.
const char* const kSheetTexts[] = {"分数の引き算", "問題No.0123456789", "（　）",
                                   " - = ", "つぎの計算をしましょう。"};

TEST(SheetFonts, WindowsFaceNamesResolveToJapaneseFaces)
{
    const QStringList installed = QFontDatabase::families();
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    ASSERT_FALSE(japanese.isEmpty()) << "no Japanese font installed";
    for (const FaceRow& row : kFaceRows) {
        const QString name = QString::fromUtf8(row.name);
        const QString family = ResolvedFontFamily(name);
        SCOPED_TRACE(row.name);
        if (installed.contains(QString::fromUtf8(row.ipaFamily))) {
            EXPECT_EQ(family, QString::fromUtf8(row.ipaFamily));
        } else {
            EXPECT_TRUE(japanese.contains(family)) << family.toStdString();
        }
        // Every glyph comes from the face itself: no tofu, no per-glyph fallback.
        const QFontMetrics metrics{QFont(name)};
        for (const char* text : kSheetTexts) {
            for (const char32_t c : QString::fromUtf8(text).toUcs4()) {
                EXPECT_TRUE(metrics.inFontUcs4(c)) << "U+" << std::hex << static_cast<unsigned>(c);
            }
        }
    }
}

TEST(SheetFonts, MissingIpaFontsFallBackToAJapaneseFaceOfTheSameDesign)
{
    const QStringList ipa{"DejaVu Sans", "IPAGothic", "IPAMincho", "IPAPGothic", "Noto Sans CJK JP"};
    const QStringList noto{"DejaVu Sans", "Noto Sans CJK JP", "Noto Serif CJK JP"};
    const QStringList other{"DejaVu Serif", "Example Mincho", "Example Gothic"};
    const struct {
        const char* name;
        QStringList installed;
        QStringList japanese;
        const char* family;
    } rows[] = {
        {kGothicFace, ipa, ipa.mid(1), "IPAGothic"},
        {kMinchoFace, ipa, ipa.mid(1), "IPAMincho"},
        {kProportionalGothicFace, ipa, ipa.mid(1), "IPAPGothic"},
        {kGothicFace, noto, noto.mid(1), "Noto Sans CJK JP"},
        {kMinchoFace, noto, noto.mid(1), "Noto Serif CJK JP"},
        {kMinchoFace, other, other.mid(1), "Example Mincho"},
        {kGothicFace, other, other.mid(1), "Example Gothic"},
        {kMinchoFace, other, {"Example Gothic"}, "Example Gothic"},
        {kGothicFace, {"DejaVu Sans"}, {}, ""},
        {"Arial", ipa, ipa.mid(1), ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ChooseSubstituteFamily(QString::fromUtf8(row.name), row.installed, row.japanese),
                  QString::fromUtf8(row.family))
            << row.name << " with " << row.installed.join(", ").toStdString();
    }
}

TEST(SheetFonts, InstallingAgainReplacesTheMapping)
{
    InstallSheetFontSubstitutions();
    InstallSheetFontSubstitutions();
    for (const FaceRow& row : kFaceRows) {
        const QString name = QString::fromUtf8(row.name);
        EXPECT_EQ(QFont::substitutes(name).size(), 1) << row.name;
        EXPECT_EQ(ResolvedFontFamily(name).toLower(), QFont::substitute(name).toLower()) << row.name;
    }
}

}  // namespace
}  // namespace tavrimo
