#pragma once

#include <QString>
#include <QStringList>

#include "runtime/face_names.h"

namespace tavrimo {

// Makes the Windows face names resolve to installed Japanese faces: the IPA
// fonts when present, otherwise the closest installed Japanese family. Without
// it fontconfig matches them to a Latin face and every glyph falls back one by
// one with the wrong metrics. Needs the Q(Gui)Application; calling it again
// redoes the mapping with the fonts installed now.
void InstallSheetFontSubstitutions();

// The family that stands in for the face name given the installed families
// and the Japanese ones among them; empty when there is no Japanese family or
// the name is not one of the three above.
QString ChooseSubstituteFamily(const QString& name, const QStringList& installed,
                               const QStringList& japanese);

// The family a font requested under this name is really drawn with.
QString ResolvedFontFamily(const QString& name);

}  // namespace tavrimo
