#pragma once

namespace tavrimo {

// The Japanese Windows face names the sheets and the window ask for; each
// canvas maps them to the Japanese faces it has.
inline constexpr const char* kGothicFace = "ＭＳ ゴシック";
inline constexpr const char* kMinchoFace = "ＭＳ 明朝";
inline constexpr const char* kProportionalGothicFace = "ＭＳ Ｐゴシック";

}  // namespace tavrimo
