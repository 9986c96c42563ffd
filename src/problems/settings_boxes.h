#pragma once

#include <string>

namespace tavrimo {

// Every setting as its control holds it: the window's boxes as their texts,
// its radio groups and the 詳細設定 dialog's choices as item indices, flags
// as 0 or 1 and numbers as themselves. The initial values here are the only
// ones: the settings description (setting_descriptions.h) reads them from a
// default-constructed record, and every front end starts from that.
struct SettingsBoxes {
    std::string PrnNum = "1";
    std::string edtIntf1 = "0", edtIntf2 = "0";
    std::string edtIntb1 = "0", edtIntb2 = "0";
    std::string edtBunbof1 = "2", edtBunbof2 = "99";
    std::string edtBunbob1 = "2", edtBunbob2 = "99";
    int rgAnswer = 0;
    int rgQNum = 0;
    int rgTuubun = 0;
    int rgBaisuu = 0;
    int rgYakubun = 0;
    std::string QstSentence = "つぎの計算をしましょう。";

    // The 詳細設定 dialog. A number's "off" value is outside its range.
    int borrowMix = -1;            // percent of problems with borrowing; -1: as rgAnswer says
    int easyFirst = 0;             // problems without borrowing first
    int maxCommonDenominator = 0;  // 0: no cap
    int sheets = 1;                // sets in a class set
    int collate = 0;               // 0: each set's sheets together, 1: all problem sheets first
    int classHeader = 0;           // name, class, date and score fields in the header
    int problemNumbers = 0;        // (1), (2)... before the problems
    int steps = 0;                 // answer sheets show the working
    int method = 0;                // 0: くり下げる, 1: 仮分数にする

    friend bool operator==(const SettingsBoxes&, const SettingsBoxes&) = default;
};

}  // namespace tavrimo
