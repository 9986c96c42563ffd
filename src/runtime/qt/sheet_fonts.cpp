#include "runtime/qt/sheet_fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>
#include <initializer_list>

namespace tavrimo {
namespace {

struct FaceChoice {
    const char* name;
    // Installed families to try, best first.
    std::initializer_list<const char*> preferred;
    // Words in a family name that mark the right design, for the last resort.
    std::initializer_list<const char*> styleWords;
};

const FaceChoice kFaces[] = {
    {kGothicFace,
     {"IPAGothic", "IPAexGothic", "TakaoGothic", "Noto Sans Mono CJK JP", "Noto Sans CJK JP", "VL Gothic"},
     {"Gothic", "ゴシック", "Sans"}},
    {kMinchoFace,
     {"IPAMincho", "IPAexMincho", "TakaoMincho", "Noto Serif CJK JP"},
     {"Mincho", "明朝", "Serif"}},
    {kProportionalGothicFace,
     {"IPAPGothic", "IPAexGothic", "TakaoPGothic", "Noto Sans CJK JP", "VL PGothic", "IPAGothic"},
     {"PGothic", "Gothic", "ゴシック", "Sans"}},
};

QString ChooseFamily(const FaceChoice& face, const QStringList& installed, const QStringList& japanese)
{
    for (const char* family : face.preferred) {
        const QString f = QString::fromUtf8(family);
        if (installed.contains(f, Qt::CaseInsensitive)) return f;
    }
    for (const char* word : face.styleWords) {
        for (const QString& family : japanese) {
            if (family.contains(QString::fromUtf8(word), Qt::CaseInsensitive)) return family;
        }
    }
    return japanese.isEmpty() ? QString() : japanese.front();
}

}  // namespace

QString ChooseSubstituteFamily(const QString& name, const QStringList& installed, const QStringList& japanese)
{
    for (const FaceChoice& face : kFaces) {
        if (name == QString::fromUtf8(face.name)) return ChooseFamily(face, installed, japanese);
    }
    return {};
}

void InstallSheetFontSubstitutions()
{
    Q_ASSERT_X(QGuiApplication::instance(), "InstallSheetFontSubstitutions", "needs the application object");
    const QStringList installed = QFontDatabase::families();
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    for (const FaceChoice& face : kFaces) {
        const QString name = QString::fromUtf8(face.name);
        // Substitutions accumulate; start afresh so a second call replaces.
        QFont::removeSubstitutions(name);
        const QString family = ChooseSubstituteFamily(name, installed, japanese);
        if (!family.isEmpty()) QFont::insertSubstitution(name, family);
    }
}

QString ResolvedFontFamily(const QString& name)
{
    return QFontInfo(QFont(name)).family();
}

}  // namespace tavrimo
