// The window through its own widgets: every control as the form puts it, the
// tab order, the handlers, previews and print commands on a recording printer.

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <climits>

#include "app/advanced_dialog.h"
#include "app/shapes.h"
#include "problems/setting_descriptions.h"
#include "problems/settings_reader.h"
#include "recording_services.h"
#include "runtime/qt/control_hints.h"
#include "session/print_sequence.h"

using namespace tavrimo;
using namespace tavrimo::testing;
using Calls = std::vector<CanvasCall>;

namespace {

struct Control {
    const char* name;
    int x, y, w, h;     // a label's size is a least one: labels take the size of their text
    QString text = {};  // a group's caption, then its items, split by '|'
    int n = 0;          // box: maximum length (0: none); group: columns; button: picture size
    QString hint = "";
    bool enabled = true;
    int height = 15;
    QString face = kProportionalGothicFace;
    QColor colour = {};  // none: the window text colour
};
const QString kBanner = "Tavrimo For 引き算(分数編) Ver1.11";  // then a credits line
const Control kControls[] = {
    {"Bevel2", 8, 8, 337, 41},
    {"Bevel11", 8, 56, 361, 65},
    {"Bevel3", 8, 128, 370, 289},
    {"Bevel1", 384, 56, 337, 457},
    {"PaintBox1", 393, 64, 320, 441},
    {"Label14", 16, 16, 322, 26, kBanner, 0, "", true, 13, kMinchoFace, qRgb(128, 0, 128)},
    {"Label12", 513, 36, 104, 15, "ﾌﾟﾚﾋﾞｭｰ画面↓", 0, "", true, 15, kMinchoFace, qRgb(0, 128, 128)},
    {"Label1", 16, 65, 45, 15, "問題文"},
    {"Label9", 16, 137, 30, 15, "設定"},
    {"a", 128, 137, 16, 33, "a", 0, "", true, 33},
    {"Label2", 320, 137, 16, 33, "b", 0, "", true, 33},
    {"Label8", 184, 160, 15, 30, "-", 0, "", true, 30},
    {"Label4", 44, 168, 15, 15, "～"},
    {"Label5", 128, 188, 15, 15, "～"},
    {"Label6", 236, 168, 15, 15, "～"},
    {"Label7", 320, 188, 15, 15, "～"},
    {"Label10", 224, 220, 76, 15, "プリント番号"},
    {"Shape1", 96, 173, 82, 4},
    {"Shape2", 288, 173, 82, 4},
    // The settings' controls: their texts, items, hints and lengths are the settings' descriptions.
    {"QstSentence", 16, 88, 345, 23},
    {"edtIntf1", 16, 164, 25, 23},
    {"edtIntf2", 60, 164, 25, 23},
    {"edtBunbof1", 96, 184, 25, 23},
    {"edtBunbof2", 148, 184, 25, 23},
    {"edtIntb1", 208, 164, 25, 23},
    {"edtIntb2", 253, 164, 25, 23},
    {"edtBunbob1", 288, 184, 25, 23},
    {"edtBunbob2", 340, 184, 25, 23},
    {"PrnNum", 304, 216, 49, 23},
    {"rgAnswer", 16, 216, 169, 153, {}, 1},
    {"rgTuubun", 198, 248, 171, 41, {}, 2},
    {"rgBaisuu", 198, 296, 173, 41, {}, 2, "", false},
    {"rgQNum", 198, 344, 173, 41, {}, 2},
    {"rgYakubun", 16, 376, 169, 33, {}, 2},
    {"btnPreview", 33, 432, 128, 25, "プレビュー", 16, "印刷イメージを見る"},
    {"btnMaintenance", 33, 464, 128, 25, "印刷設定", 16, "印刷の設定を変更"},
    {"btnClose", 33, 496, 128, 25, "終了", 18, "プログラムを終了"},
    {"btnPrint", 216, 432, 129, 25, "印刷", 16, "解答なしで印刷", false},
    {"btnPrintWithAns", 216, 464, 129, 25, "印刷（答えつき）", 16, "解答ありで印刷", false},
    {"btnPrintAns", 216, 496, 129, 25, "印刷（答えのみ）", 16, "解答のみ印刷", false},
    {"btnAdvanced", 513, 8, 104, 25, "詳細設定…", 0,
     "くり下がりの混ぜかた、枚数、名前の欄、途中式などの設定"},
};
const char* const kTabOrder =  // and round again to the first
    "QstSentence edtIntf1 edtIntf2 edtBunbof1 edtBunbof2 edtIntb1 edtIntb2 edtBunbob1 edtBunbob2 rgAnswer "
    "btnPrint btnPrintWithAns btnPreview btnMaintenance btnClose PrnNum rgQNum rgTuubun rgBaisuu btnPrintAns "
    "rgYakubun btnAdvanced QstSentence";

struct Preview {
    const char* name;
    bool previewFirst;                                   // then a new sheet number, 5
    int answerKind, problemCount, minCount, maxCount;    // the items of rgAnswer and rgQNum, the count
    std::vector<std::pair<const char*, QString>> boxes;  // typed in, in order
    QString error = "";
};
const QString kRefusal =
    QString::fromStdString(ReadSettings({.edtBunbof1 = "1", .edtBunbob1 = "1"}).error) + ".";
const Preview kPreviews[] = {
    {"defaults 8段2列", false, 0, 0, 16, 16, {}},
    {"defaults 10段2列", false, 0, 1, 20, 20, {}},
    {"defaults again, a new set", true, 0, 0, 16, 16, {}},
    {"denominators 0 to 0", false, 0, 0, 0, 0, {{"edtBunbof1", "0"}, {"edtBunbof2", "0"}}},
    {"denominators 0 to 0 after a preview", true, 0, 0, 0, 0, {{"edtBunbof1", "0"}, {"edtBunbof2", "0"}}},
    {"borrowing without larger whole parts of a", false, 3, 0, 0, 0, {}},
    // With reducible answers, 2 to 3 admits two distinct problems and 2 to 4 three.
    {"slot 3 fails", false, 1, 0, 2, 2, {{"edtBunbof2", "3"}}},
    {"slot 4 fails", false, 1, 0, 3, 3, {{"edtBunbof2", "4"}}},
    {"denominators 2 to 5 after a preview", true, 0, 0, 3, 15, {{"edtBunbof2", "5"}}},
    // Refused after 10段2列 was chosen: the old set stays.
    {"empty box", true, 0, 1, 16, 16, {{"edtIntf2", ""}}, "'' は整数ではありません."},
    {"trailing space", true, 0, 1, 16, 16, {{"edtBunbob2", "9 "}}, "'9 ' は整数ではありません."},
    {"full-width digit", true, 0, 1, 16, 16, {{"edtIntf1", "１"}}, "'１' は整数ではありません."},
    {"PrnNum first", true, 0, 1, 16, 16, {{"PrnNum", "a1"}, {"edtIntf1", "x"}}, "'a1' は整数ではありません."},
    {"denominator 1", true, 0, 1, 16, 16, {{"edtBunbof1", "1"}}, kRefusal},
};

using enum PrinterFault;
struct PrintCase {
    const char *name, *button;
    QString number;                  // typed into PrnNum
    std::vector<bool> answerSheets;  // job by job
    QString message = "";            // reported instead
    PrinterFault portraitFault = None, beginFault = None;
    int printNumber = 8, printerCalls = -1;  // afterwards; the calls made, of all the command's
};
const PrintCase kPrintCommands[] = {
    {"印刷", "btnPrint", "7", {false}},
    {"印刷（答えつき）", "btnPrintWithAns", "7", {false, true}},
    {"印刷（答えのみ）", "btnPrintAns", "7", {true}},
    {"sheet number wrapping", "btnPrint", "2147483647", {false}, "", None, None, INT_MIN},
    {"sheet number no integer", "btnPrintWithAns", "7x", {}, "'7x' は整数ではありません.", None, None, 1, 0},
    {"no printer", "btnPrint", "4", {}, "デフォルト プリンタが存在しません.", NoDefaultPrinter, None, 4, 1},
    {"busy", "btnPrintAns", "4", {true}, "現在印刷中です.", None, AlreadyPrinting, 4, 4},
};

// Opens 詳細設定 and acts on it while it is open.
void WithDialog(TestWindow<>& w, const std::function<void(AdvancedDialog&)>& act)
{
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<AdvancedDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr && dialog->windowTitle() == "詳細設定");
        act(*dialog);
    });
    w.Click(w.form.btnAdvanced);
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<TestWindow<>> w_;
    TForm1* f_ = nullptr;

private slots:
    void initTestCase() { InstallSheetFontSubstitutions(); }
    void init() { f_ = &(w_ = std::make_unique<TestWindow<>>())->form; }

    void startAndTabOrder()
    {
        const HeldState s = Held(*f_);
        QVERIFY(s.QuestionCount == 0 && s.PrintNumber == 1 && s.ShowAnswers == 0 && s.PreviewReady == 0);
        QVERIFY(w_->Show() && PreviewDrawing(*f_).empty() && w_->printer.log.empty());
        const QPoint off = f_->frameGeometry().center() - f_->screen()->availableGeometry().center();
        QVERIFY(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1);
        QCOMPARE(std::pair(f_->windowTitle(), f_->frameGeometry().size()),
                 std::pair(QString("Tavrimo For 引き算(分数編)"), QSize(740, 563)));
        QCOMPARE(f_->Label14->text().count('\n'), 1);
        // Tab skips disabled controls; a group's stop is its selected item.
        const auto walk = [&](qsizetype steps) {
            QStringList visited;
            f_->QstSentence->setFocus();
            while (visited.size() < steps) {
                QWidget* at = QApplication::focusWidget();
                auto* group = qobject_cast<RadioGroup*>(at->parentWidget());
                visited << (group && group->button(group->itemIndex()) == at ? group : at)->objectName();
                QTest::keyClick(at, Qt::Key_Tab);
            }
            return visited;
        };
        const QStringList all = QString(kTabOrder).split(' ');
        QStringList atStart = all;
        for (auto off : {"btnPrint", "btnPrintWithAns", "rgBaisuu", "btnPrintAns"}) atStart.removeOne(off);
        QCOMPARE(walk(atStart.size()), atStart);
        w_->Preview();
        w_->Click(f_->rgTuubun->button(1));
        f_->rgYakubun->setItemIndex(1);
        QCOMPARE(walk(all.size()), all);
    }

    void controls_data() { AddRows(kControls); }
    void controls()
    {
        QFETCH(int, row);
        Control c = kControls[row];
        if (const SettingDescription* d = FindSettingByControl(c.name)) {
            const auto q = [](std::string_view s) { return QString::fromUtf8(s.data(), s.size()); };
            c.text = d->text != nullptr ? q(DefaultText(*d)) : q(d->label);
            for (const SettingItem& item : d->items) c.text += '|' + q(item.text);
            if (d->kind == SettingKind::BoxText) c.n = d->maxLength;  // the sentence box takes any length
            c.hint = q(d->hint);
        }
        QVERIFY(w_->Show());  // groups arrange their items once they have their size
        auto* widget = f_->findChild<QWidget*>(c.name);
        QVERIFY(widget != nullptr && widget->parentWidget() == f_);
        auto* group = qobject_cast<RadioGroup*>(widget);
        auto* button = qobject_cast<QPushButton*>(widget);
        QString text = group ? group->caption() : widget->property("text").toString().section('\n', 0, 0);
        for (int i = 0; group && i < group->count(); ++i) text += '|' + group->button(i)->text();
        const int maxLength = qobject_cast<QLineEdit*>(widget) ? (c.n ? c.n : QLineEdit().maxLength()) : 0;
        const QFont font = widget->font();
        const auto colour = [](const QPalette& palette) {
            return palette.color(QPalette::Active, QPalette::WindowText);
        };
        QCOMPARE(std::tuple(text, widget->property("maxLength").toInt(), widget->toolTip(),
                            widget->isEnabled(), font.family(), font.pixelSize(), colour(widget->palette()),
                            group ? group->itemIndex() : 0),
                 std::tuple(c.text, maxLength, c.hint, c.enabled, c.face, c.height,
                            c.colour.isValid() ? c.colour : colour(QApplication::palette()), 0));
        QVERIFY(QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Japanese));
        // A label is at least the form's size, and never clipped.
        const QSize size =
            qobject_cast<QLabel*>(widget) ? widget->size().expandedTo(widget->sizeHint()) : QSize(c.w, c.h);
        QCOMPARE(widget->geometry(), QRect(c.x, c.y, c.w, c.h).united(QRect(QPoint(c.x, c.y), size)));
        const int delay = widget->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, widget);
        if (!c.hint.isEmpty()) QVERIFY(widget->toolTipDuration() == kHintShowTimeMs && delay == kHintDelayMs);
        // Frames stand behind the controls and let the mouse through; the fraction bars are black.
        QVERIFY(!qobject_cast<Bevel*>(widget) ||
                (f_->children().indexOf(widget) < f_->children().indexOf(f_->PaintBox1) &&
                 widget->testAttribute(Qt::WA_TransparentForMouseEvents)));
        if (qobject_cast<FilledShape*>(widget))
            QCOMPARE(widget->grab().toImage().pixelColor(40, 2), QColor(Qt::black));
        // The items fill the columns from the top, all inside the frame.
        const QRect first = group ? group->button(0)->geometry() : QRect(),
                    last = group ? group->button(group->count() - 1)->geometry() : QRect();
        QVERIFY(!group || (group->rect().contains(first.united(last)) &&
                           (c.n == 1 ? last.x() == first.x() && last.y() > first.y()
                                     : last.x() > first.x() && last.y() == first.y())));
        // The picture: its own size, a transparent background, greyed when disabled, one for printing.
        if (button && c.n == 0) QVERIFY(button->icon().isNull());
        if (button && c.n == 0) return;
        const QImage picture = button ? button->icon().pixmap(c.n).toImage() : QImage();
        QVERIFY(!button || (button->iconSize() == picture.size() && qAlpha(picture.pixel(0, c.n - 1)) == 0 &&
                            picture != button->icon().pixmap(c.n, QIcon::Disabled).toImage()));
        QVERIFY(!button || (picture == f_->btnPrint->icon().pixmap(16).toImage()) ==
                               QString(c.name).startsWith("btnPrint"));
    }

    void smallHandlers()
    {
        // a's denominators copy to b's on every change, by the program too, and not back.
        Retype(f_->edtBunbof1, "5");
        QCOMPARE(f_->edtBunbob1->text(), "5");
        f_->edtBunbof1->clear();
        QCOMPARE(f_->edtBunbob1->text(), "");
        Retype(f_->edtBunbob2, "8");
        QCOMPARE(f_->edtBunbof2->text(), "99");
        Retype(f_->edtBunbof2, "50");
        QCOMPARE(f_->edtBunbob2->text(), "50");
        // rgBaisuu follows rgTuubun, keeping its item.
        QVERIFY(w_->Show());
        w_->Click(f_->rgTuubun->button(1));
        w_->Click(f_->rgBaisuu->button(1));
        w_->Click(f_->rgTuubun->button(0));
        QVERIFY(!f_->rgBaisuu->isEnabled() && f_->rgBaisuu->itemIndex() == 1);
        // 印刷設定 opens the printer's dialog, by a click and by Return, keypad Enter or Space on the
        // focused button; 終了 closes the window, here by Return.
        w_->Click(f_->btnMaintenance);
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space}) {
            f_->btnMaintenance->setFocus();
            QTest::keyClick(f_->btnMaintenance, key,
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        }
        QVERIFY(w_->printer.log == std::vector<std::string>(4, "SetupDialog"));
        f_->btnClose->setFocus();
        QTest::keyClick(f_->btnClose, Qt::Key_Return);
        QVERIFY(!f_->isVisible());
    }

    // 詳細設定: キャンセル changes nothing; OK takes its rows, but not a number out of range; a
    // preset fills the window's boxes. A class set: the preview says which of its sheets it shows
    // and steps between them; a print command prints them all, here in stacks, numbered on.
    void advancedDialog()
    {
        QVERIFY(w_->Show());
        const auto list = [](AdvancedDialog& d, const char* name) { return d.findChild<QComboBox*>(name); };
        WithDialog(*w_, [&](AdvancedDialog& d) {
            list(d, "borrowMix")->setCurrentIndex(list(d, "borrowMix")->findText("50%"));
            d.reject();
        });
        QCOMPARE(f_->session().QuestionCount(), 0);
        WithDialog(*w_, [&](AdvancedDialog& d) {
            QCOMPARE(list(d, "borrowMix")->currentText(), "なし");
            d.findChild<QLineEdit*>("sheets")->setText("101");
            d.accept();
            QVERIFY(d.isVisible() && d.findChild<QLabel*>("error")->text().contains("1から100まで"));
            d.findChild<QLineEdit*>("sheets")->setText("3");
            list(d, "collate")->setCurrentIndex(1);
            auto* presets = list(d, "cmbPreset");
            presets->setCurrentIndex(presets->findText("5年 分母がちがう (通分後36まで)"));
            emit presets->activated(presets->currentIndex());
            QCOMPARE(list(d, "borrowMix")->currentText(), "50%");
            d.accept();
        });
        QCOMPARE(std::tuple(f_->edtIntf2->text(), f_->edtBunbob2->text(), f_->rgTuubun->itemIndex()),
                 std::tuple(QString("9"), QString("12"), 1));
        QVERIFY(f_->rgBaisuu->isEnabled());
        f_->PrnNum->setText("7");
        w_->Preview();
        // Every problem of the preview's set keeps to the preset's cap of 36.
        const ProblemTable& t = f_->problemTable();
        for (int i = 1; i <= f_->session().QuestionCount(); ++i)
            QVERIFY(CommonDenominatorOf(t.Minuend[i], t.Subtrahend[i]) <= 36);
        QVERIFY(f_->lblSheets->text() == "1/3枚" && f_->btnNextSheet->isVisible() &&
                !f_->btnPrevSheet->isEnabled());
        w_->Click(f_->btnNextSheet);
        QCOMPARE(f_->lblSheets->text(), "2/3枚");
        QVERIFY(PreviewDrawing(*f_)[11].text == "問題No.8");
        w_->Click(f_->btnPrintWithAns);
        const auto& jobs = w_->printer.jobs;
        QCOMPARE(jobs.size(), 2u);
        QVERIFY(jobs[0].pages.size() == 3 && !jobs[0].job.answerSheet && jobs[1].job.answerSheet);
        QCOMPARE(f_->PrnNum->text(), "10");
    }

    // A sentence wider than the sheet is warned of, once for each wording, and
    // control characters never reach the sheet.
    void longQuestion()
    {
        QVERIFY(w_->Show());
        const QString warning = QString("warning 警告: ") + kQuestionTooWide;
        f_->QstSentence->setText(QString(60, QChar(0x3042)));
        w_->Preview();
        w_->Click(f_->btnPrint);
        QCOMPARE(w_->services.events.count(warning), 1);
        f_->QstSentence->setText("短い\x1b[1m文");
        w_->Preview();
        QCOMPARE(w_->services.events.count(warning), 1);
        QCOMPARE(QString::fromStdString(PreviewDrawing(*f_).at(15).text), "短い[1m文");
    }

    void preview_data() { AddRows(kPreviews); }
    void preview()
    {
        QFETCH(int, row);
        const Preview& p = kPreviews[row];
        QVERIFY(w_->Show());
        const QImage blank = OnScreen(f_->PaintBox1);
        if (p.previewFirst) w_->Preview(), Retype(f_->PrnNum, "5");
        const ProblemTable before = f_->problemTable();
        f_->rgAnswer->setItemIndex(p.answerKind);
        f_->rgQNum->setItemIndex(p.problemCount);
        for (const auto& [box, text] : p.boxes) Retype(f_->findChild<QLineEdit*>(box), text);
        // The window can repaint while the warning is open: the table must
        // already hold the short set that the count speaks of.
        Calls drawnWhileOpen;
        w_->services.whileBoxOpen = [&] { drawnWhileOpen = PreviewDrawing(*f_); };
        w_->Preview();

        const HeldState s = Held(*f_);
        const int count = s.QuestionCount;
        QVERIFY2(count >= p.minCount && count <= p.maxCount, qPrintable(QString::number(count)));
        const QStringList warned{"beep", "warning 警告: 今の条件では、指定された問題数が確保できません。"};
        const QStringList events = count < (p.problemCount ? 20 : 16) ? warned : QStringList();
        QCOMPARE(w_->services.events, p.error.isEmpty() ? events : QStringList{"error: " + p.error});
        QCOMPARE(s.PrintNumber, qMax(1, f_->PrnNum->text().toInt()));  // a text not an integer is not read
        // Printing comes with the first preview of more than two problems, and stays.
        const bool ready = p.previewFirst || count > 2;
        QVERIFY(s.PreviewReady == int(ready) && s.ShowAnswers == 0);
        for (QPushButton* button : {f_->btnPrint, f_->btnPrintWithAns, f_->btnPrintAns})
            QCOMPARE(button->isEnabled(), ready);
        const ProblemTable& table = f_->problemTable();
        const Calls drawing =
            ready && count > 0 ? SheetDrawing(table, 320, 441, count, s.PrintNumber, true) : Calls();
        QCOMPARE(PreviewDrawing(*f_), drawing);
        if (p.previewFirst && w_->services.events.size() == 2) QCOMPARE(drawnWhileOpen, drawing);
        // Whatever the outcome, the screen shows what a repaint draws now: Qt keeps a widget's
        // pixels until something repaints it.
        const QImage shown = OnScreen(f_->PaintBox1);
        QVERIFY(shown == f_->PaintBox1->grab().toImage().convertToFormat(shown.format()));
        QCOMPARE(shown == blank, drawing.empty());
        const bool same = table.Minuend == before.Minuend && table.Subtrahend == before.Subtrahend;
        QCOMPARE(same, !p.error.isEmpty() || count == 0);
    }

    void printCommands_data() { AddRows(kPrintCommands); }
    void printCommands()
    {
        QFETCH(int, row);
        const PrintCase& c = kPrintCommands[row];
        RecordingPrinter& printer = w_->printer;
        std::tie(printer.width, printer.height, printer.portraitFault, printer.beginFault) =
            std::tuple(4760, 6814, c.portraitFault, c.beginFault);
        w_->Preview();
        const ProblemTable set = f_->problemTable();
        // Typed after the preview: the sheets and the next repaint use them.
        const std::string sentence = "答えを書きましょう。";
        Retype(f_->QstSentence, QString::fromStdString(sentence));
        Retype(f_->PrnNum, c.number);
        auto* button = f_->findChild<QPushButton*>(c.button);
        w_->Click(button);

        QStringList log{"SetPortrait", "PageHeight", "PageWidth"};
        for (std::size_t i = 0; i < c.answerSheets.size(); ++i) log += {"BeginJob", "EndJob"};
        std::vector<std::string> expectedLog;
        for (const QString& call : log.mid(0, c.printerCalls)) expectedLog.push_back(call.toStdString());
        QVERIFY(printer.log == expectedLog);
        const bool failed = !c.message.isEmpty();
        QCOMPARE(w_->services.events, failed ? QStringList{"error: " + c.message} : QStringList());
        QCOMPARE(printer.jobs.size(), failed ? 0 : c.answerSheets.size());
        for (std::size_t i = 0; i < printer.jobs.size(); ++i) {
            const PrintJob& job = printer.jobs[i].job;
            QVERIFY(job.title == kDocumentTitle && job.sheetNumber == c.number.toInt() &&
                    job.answerSheet == c.answerSheets[i]);
            QCOMPARE(printer.jobs[i].pages.front().calls(),
                     SheetDrawing(set, 4760, 6814, 16, job.sheetNumber, job.answerSheet, sentence));
        }
        // A failed command keeps the number read, and the box as typed.
        QCOMPARE(std::tuple(Held(*f_).PrintNumber, f_->PrnNum->text(), Held(*f_).ShowAnswers),
                 std::tuple(c.printNumber, failed ? c.number : QString::number(c.printNumber), 0));
        QCOMPARE(PreviewDrawing(*f_), SheetDrawing(set, 320, 441, 16, c.printNumber, true, sentence));
        if (failed) return;
        // Again: the same problems under the next number.
        w_->Click(button);
        QCOMPARE(printer.jobs.back().pages.front().calls(),
                 SheetDrawing(set, 4760, 6814, 16, c.printNumber, c.answerSheets.back(), sentence));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
