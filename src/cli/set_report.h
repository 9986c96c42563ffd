#pragma once

// What standard output shows of the sets a run makes: text, a line a problem,
// or one JSON array written an element at a time, so memory does not grow
// with the run.

#include <QByteArray>
#include <QIODevice>
#include <QJsonObject>
#include <cstdint>
#include <optional>

#include "problems/settings_boxes.h"
#include "problems/sheet.h"
#include "problems/working_steps.h"

namespace tavrimo {

// One set as one click of the preview button leaves it, with its answers.
struct MadeSet {
    std::uint32_t seed = 0;
    std::uint32_t nextSeed = 0;
    bool complete = false;
    Sheet sheet;
};

bool WriteOut(QIODevice& out, const QByteArray& bytes);

// A buffered file reports a failed write only when flushed.
bool Flushed(QIODevice& out);

class SetReport {
public:
    // settings: what the run was asked for, echoed in every JSON set.
    SetReport(QIODevice& out, bool json, bool numbered, bool silent, const SettingsBoxes& settings);

    bool Add(const MadeSet& set);
    bool Finish();

private:
    QByteArray Text(const MadeSet& set) const;

    QIODevice& out_;
    bool json_;
    bool numbered_;
    bool silent_;
    QJsonObject settings_;
    std::optional<WorkingMethod> working_;  // the answers show the working by this method
    int sets_ = 0;
};

}  // namespace tavrimo
