#pragma once

// The main window, TForm1: the settings of a worksheet on the left, the
// preview box on the right, the command buttons below the settings.
//
// How the pieces meet: the controls are public members named as on the form,
// so the handlers and the tests reach them by name. The handlers carry the
// names of the events they answer and do no arithmetic or layout of their
// own: each reads its controls, calls the WorksheetSession that holds the
// problem set for the whole run, and shows what it returns. Message boxes and
// the alert sound come through WindowServices, the printer through
// SheetPrinter; the program passes the Qt ones, tests pass recording fakes.

#include <QWidget>
#include <string>

#include "session/worksheet_session.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tavrimo {

class Bevel;
class Canvas;
class FilledShape;
class PaintBox;
class RadioGroup;
class SheetPrinter;
class WindowServices;

// The window's outer size, frame included.
inline constexpr int kFormWidth = 740;
inline constexpr int kFormHeight = 563;

class TForm1 final : public QWidget {
    Q_OBJECT
public:
    // Creates every control and runs FormCreate; the window is not shown yet.
    TForm1(SheetPrinter& printer, WindowServices& services, QWidget* parent = nullptr);
    ~TForm1() override;

    // Shows the window centred on its screen.
    void ShowCentred();

    // Frames, behind the controls they surround.
    Bevel* Bevel2 = nullptr;
    Bevel* Bevel11 = nullptr;
    Bevel* Bevel3 = nullptr;
    Bevel* Bevel1 = nullptr;

    PaintBox* PaintBox1 = nullptr;

    QLabel* Label14 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* a = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label10 = nullptr;

    FilledShape* Shape1 = nullptr;
    FilledShape* Shape2 = nullptr;

    QLineEdit* QstSentence = nullptr;
    QLineEdit* edtIntf1 = nullptr;
    QLineEdit* edtIntf2 = nullptr;
    QLineEdit* edtBunbof1 = nullptr;
    QLineEdit* edtBunbof2 = nullptr;
    QLineEdit* edtIntb1 = nullptr;
    QLineEdit* edtIntb2 = nullptr;
    QLineEdit* edtBunbob1 = nullptr;
    QLineEdit* edtBunbob2 = nullptr;
    QLineEdit* PrnNum = nullptr;

    RadioGroup* rgAnswer = nullptr;
    RadioGroup* rgTuubun = nullptr;
    RadioGroup* rgBaisuu = nullptr;
    RadioGroup* rgQNum = nullptr;
    RadioGroup* rgYakubun = nullptr;

    QPushButton* btnPreview = nullptr;
    QPushButton* btnMaintenance = nullptr;
    QPushButton* btnClose = nullptr;
    QPushButton* btnPrint = nullptr;
    QPushButton* btnPrintWithAns = nullptr;
    QPushButton* btnPrintAns = nullptr;
    // Beyond the window's own settings: opens 詳細設定.
    QPushButton* btnAdvanced = nullptr;
    // A class set: which of its sheets the preview shows ("2/30枚"), and
    // the steps to the one before and after.
    QLabel* lblSheets = nullptr;
    QPushButton* btnPrevSheet = nullptr;
    QPushButton* btnNextSheet = nullptr;

    // Handlers.
    void FormCreate();
    void edtBunbof1Change();
    void edtBunbof2Change();
    void rgTuubunClick();
    void btnPreviewClick();
    void PaintBox1Paint(Canvas& canvas);
    void btnPrintClick();
    void btnPrintWithAnsClick();
    void btnPrintAnsClick();
    void btnMaintenanceClick();
    void btnAdvancedClick();
    void btnPrevSheetClick();
    void btnNextSheetClick();

    const WorksheetSession& session() const { return session_; }
    const ProblemTable& problemTable() const { return session_.table(); }
    RandomSource& randomSource() { return session_.source(); }

protected:
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    void ConnectHandlers();
    void SetTabOrder();

    // Sizes the window so that its outer size, frame included, is the form's.
    void ApplyOuterSize();
    void SettleOuterSize();

    SettingsBoxes ReadBoxes() const;
    // The window's controls as the settings say (a preset chose them).
    void SetBoxes(const SettingsBoxes& boxes);
    void PrintSheets(PrintCommand command);
    void ShowSet(int index);
    // Warns, once for each wording, of a sentence too wide for the sheet.
    void WarnOfALongQuestion();
    void ShowErrorReport(const std::string& message);

    SheetPrinter& printer_;
    WindowServices& services_;

    WorksheetSession session_;
    // The settings of the 詳細設定 dialog, kept between its openings.
    SettingsBoxes dialogSettings_;
    QString warnedOf_;  // the sentence last warned of as too wide

    // Set once the window manager's frame is known and allowed for.
    bool outerSizeSettled_ = false;
};

}  // namespace tavrimo
