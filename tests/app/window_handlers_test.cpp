// The handlers driven through the window's own widgets: coupling of the
// boxes, previews complete, short and refused, and the print commands.

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <set>
#include <utility>

#include "app/paint_box.h"
#include "app/radio_group.h"
#include "runtime/sheet_files.h"
#include "runtime/sheet_fonts.h"
#include "window_test_support.h"

using namespace tavrimo;
using namespace tavrimo::testing;
using Kind = RecordingServices::Kind;

namespace {

bool SameProblems(const ProblemTable& x, const ProblemTable& y)
{
    return x.Minuend == y.Minuend && x.Subtrahend == y.Subtrahend;
}

bool PrintButtonsEnabled(const TForm1& form)
{
    return form.btnPrint->isEnabled() && form.btnPrintWithAns->isEnabled() && form.btnPrintAns->isEnabled();
}

bool PrintButtonsDisabled(const TForm1& form)
{
    return !form.btnPrint->isEnabled() && !form.btnPrintWithAns->isEnabled() &&
           !form.btnPrintAns->isEnabled();
}

void ClickPreview(TForm1& form)
{
    QTest::mouseClick(form.btnPreview, Qt::LeftButton);
}

// Both denominator ranges 0 to 0: no generator call can succeed.
void MakeImpossible(TForm1& form)
{
    Retype(form.edtBunbof1, QStringLiteral("0"));
    Retype(form.edtBunbof2, QStringLiteral("0"));
}

// Denominators 2 to 5 only: fewer distinct problems than a sheet needs, but
// more than two.
void MakeScarce(TForm1& form)
{
    Retype(form.edtBunbof1, QStringLiteral("2"));
    Retype(form.edtBunbof2, QStringLiteral("5"));
}

QImage PreviewPixels(TForm1& form)
{
    return form.PaintBox1->grab().toImage();
}

bool AllOneColour(const QImage& image)
{
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != first) return false;
        }
    }
    return true;
}

}  // namespace

class WindowHandlersTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallSheetFontSubstitutions(); }

    void startUpState()
    {
        TestWindow w;
        const SheetState& s = w.form.sheetState();
        QCOMPARE(s.QuestionCount, 0);
        QCOMPARE(s.PrintNumber, 1);
        QCOMPARE(s.ShowAnswers, 0);
        QCOMPARE(s.PreviewReady, 0);
        QVERIFY(w.services.events.empty());
        QVERIFY(w.printer.log.empty());
        QVERIFY(PrintButtonsDisabled(w.form));
    }

    void aDenominatorsCopyToB()
    {
        TestWindow w;
        Retype(w.form.edtBunbof1, QStringLiteral("5"));
        QCOMPARE(w.form.edtBunbob1->text(), QStringLiteral("5"));
        // Keystroke by keystroke.
        w.form.edtBunbof2->setFocus();
        w.form.edtBunbof2->selectAll();
        QTest::keyClick(w.form.edtBunbof2, Qt::Key_4);
        QCOMPARE(w.form.edtBunbob2->text(), QStringLiteral("4"));
        QTest::keyClick(w.form.edtBunbof2, Qt::Key_7);
        QCOMPARE(w.form.edtBunbob2->text(), QStringLiteral("47"));
        // Clearing clears, and a change made by the program copies too.
        w.form.edtBunbof1->clear();
        QCOMPARE(w.form.edtBunbob1->text(), QString());
        w.form.edtBunbof1->setText(QStringLiteral("12"));
        QCOMPARE(w.form.edtBunbob1->text(), QStringLiteral("12"));
    }

    void bDenominatorsDoNotCopyBack()
    {
        TestWindow w;
        Retype(w.form.edtBunbob1, QStringLiteral("7"));
        Retype(w.form.edtBunbob2, QStringLiteral("8"));
        QCOMPARE(w.form.edtBunbof1->text(), QStringLiteral("2"));
        QCOMPARE(w.form.edtBunbof2->text(), QStringLiteral("99"));
        // A later edit of a's box overwrites b's again.
        Retype(w.form.edtBunbof2, QStringLiteral("50"));
        QCOMPARE(w.form.edtBunbob2->text(), QStringLiteral("50"));
        QCOMPARE(w.form.edtBunbob1->text(), QStringLiteral("7"));
    }

    void multipleFollowsCommonDenominator()
    {
        TestWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QTest::mouseClick(w.form.rgTuubun->button(1), Qt::LeftButton);
        QVERIFY(w.form.rgBaisuu->isEnabled());
        QTest::mouseClick(w.form.rgBaisuu->button(1), Qt::LeftButton);
        QTest::mouseClick(w.form.rgTuubun->button(0), Qt::LeftButton);
        QVERIFY(!w.form.rgBaisuu->isEnabled());
        QCOMPARE(w.form.rgBaisuu->itemIndex(), 1);
        // The keyboard selects too.
        w.form.rgTuubun->button(0)->setFocus();
        QTest::keyClick(w.form.rgTuubun->button(0), Qt::Key_Right);
        QCOMPARE(w.form.rgTuubun->itemIndex(), 1);
        QVERIFY(w.form.rgBaisuu->isEnabled());
    }

    void paintBeforeAnyPreviewDrawsNothing()
    {
        TestWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QVERIFY(PreviewDrawing(w.form).empty());
        QVERIFY(AllOneColour(PreviewPixels(w.form)));
    }

    void previewFillsTheTableAndEnablesPrinting_data()
    {
        QTest::addColumn<int>("rgQNum");
        QTest::addColumn<int>("count");
        QTest::newRow("8段2列") << 0 << 16;
        QTest::newRow("10段2列") << 1 << 20;
    }

    void previewFillsTheTableAndEnablesPrinting()
    {
        QFETCH(int, rgQNum);
        QFETCH(int, count);
        TestWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        w.form.rgQNum->setItemIndex(rgQNum);
        ClickPreview(w.form);

        const SheetState& s = w.form.sheetState();
        QCOMPARE(s.QuestionCount, count);
        QCOMPARE(s.PreviewReady, 1);
        QCOMPARE(s.ShowAnswers, 0);
        QVERIFY(w.services.events.empty());
        QVERIFY(PrintButtonsEnabled(w.form));
        std::set<std::pair<std::int32_t, std::int32_t>> distinct;
        for (int i = 1; i <= count; ++i) {
            const MixedNumber& m = w.form.problemTable().Minuend[i];
            const MixedNumber& n = w.form.problemTable().Subtrahend[i];
            QVERIFY(m.Denominator >= 2 && m.Denominator <= 99);
            QVERIFY(n.Denominator >= 2 && n.Denominator <= 99);
            distinct.insert({PackedKey(m), PackedKey(n)});
        }
        QCOMPARE(static_cast<int>(distinct.size()), count);

        // The box shows the answer sheet of the table, redrawn at every paint.
        const std::vector<CanvasCall> expected =
            SheetDrawing(w.form.problemTable(), 320, 441, count, 1, true, "つぎの計算をしましょう。");
        QCOMPARE(PreviewDrawing(w.form), expected);
        QVERIFY(!AllOneColour(PreviewPixels(w.form)));
    }

    void previewsMakeNewSets()
    {
        TestWindow w;
        ClickPreview(w.form);
        const ProblemTable first = w.form.problemTable();
        ClickPreview(w.form);
        QVERIFY(!SameProblems(first, w.form.problemTable()));
    }

    void repaintReadsTheSentenceAndNumberOfTheMoment()
    {
        TestWindow w;
        ClickPreview(w.form);
        w.form.QstSentence->setText(QStringLiteral("よく見て計算しよう"));
        Retype(w.form.PrnNum, QStringLiteral("12"));
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("13"));
        QCOMPARE(PreviewDrawing(w.form),
                 SheetDrawing(w.form.problemTable(), 320, 441, 16, 13, true, "よく見て計算しよう"));
    }

    void failedPreviewBeepsThenWarns()
    {
        TestWindow w;
        MakeImpossible(w.form);
        ClickPreview(w.form);
        const std::vector<RecordingServices::Event> expected = {
            {Kind::Beep, {}, {}},
            {Kind::Warning, "警告", "今の条件では、指定された問題数が確保できません。"},
        };
        QCOMPARE(w.services.events, expected);
        QCOMPARE(w.form.sheetState().QuestionCount, 0);
        QCOMPARE(w.form.sheetState().PreviewReady, 0);
        QVERIFY(PrintButtonsDisabled(w.form));
        QVERIFY(PreviewDrawing(w.form).empty());
    }

    void borrowingNeedsLargerWholePartsOfA()
    {
        TestWindow w;
        w.form.rgAnswer->setItemIndex(3);
        ClickPreview(w.form);
        QCOMPARE(w.services.events.size(), std::size_t{2});
        QCOMPARE(w.services.events[1].kind, Kind::Warning);
        QCOMPARE(w.form.sheetState().QuestionCount, 0);
        QVERIFY(PrintButtonsDisabled(w.form));
    }

    void shortPreviewUnpacksBeforeWarning()
    {
        TestWindow w;
        ClickPreview(w.form);
        MakeScarce(w.form);
        // While the warning is open the window can repaint: the table must
        // already hold the short set the count speaks of.
        bool checked = false;
        w.services.whileBoxOpen = [&] {
            const SheetState& s = w.form.sheetState();
            QVERIFY(s.QuestionCount > 2 && s.QuestionCount < 16);
            for (int i = 1; i <= s.QuestionCount; ++i) {
                QVERIFY(w.form.problemTable().Minuend[i].Denominator <= 5);
                QVERIFY(w.form.problemTable().Subtrahend[i].Denominator <= 5);
            }
            QVERIFY(!PreviewDrawing(w.form).empty());
            checked = true;
        };
        ClickPreview(w.form);
        QVERIFY(checked);
        QCOMPARE(w.services.events.size(), std::size_t{2});
        QCOMPARE(w.services.events[0].kind, Kind::Beep);
        QCOMPARE(w.services.events[1].kind, Kind::Warning);
        const std::int32_t count = w.form.sheetState().QuestionCount;
        QCOMPARE(PreviewDrawing(w.form),
                 SheetDrawing(w.form.problemTable(), 320, 441, count, 1, true, "つぎの計算をしましょう。"));
    }

    void shortPreviewWithMoreThanTwoProblemsEnablesPrinting()
    {
        TestWindow w;
        MakeScarce(w.form);
        ClickPreview(w.form);
        QVERIFY(w.form.sheetState().QuestionCount > 2);
        QCOMPARE(w.form.sheetState().PreviewReady, 1);
        QVERIFY(PrintButtonsEnabled(w.form));
    }

    void previewNeedsMoreThanTwoProblems_data()
    {
        // With reducible answers and one denominator, 2 to 3 admits two
        // distinct problems and 2 to 4 three.
        QTest::addColumn<QString>("largestDenominator");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("slot 3 fails") << "3" << 2 << false;
        QTest::newRow("slot 4 fails") << "4" << 3 << true;
    }

    void previewNeedsMoreThanTwoProblems()
    {
        QFETCH(QString, largestDenominator);
        QFETCH(int, count);
        QFETCH(bool, drawn);
        TestWindow w;
        w.form.rgAnswer->setItemIndex(1);
        Retype(w.form.edtBunbof2, largestDenominator);
        ClickPreview(w.form);
        QCOMPARE(w.services.events.size(), std::size_t{2});
        QCOMPARE(w.form.sheetState().QuestionCount, count);
        QCOMPARE(w.form.sheetState().PreviewReady, drawn ? 1 : 0);
        QCOMPARE(PrintButtonsEnabled(w.form), drawn);
        QCOMPARE(PreviewDrawing(w.form).empty(), !drawn);
    }

    void laterFailureKeepsPrintingEnabled()
    {
        TestWindow w;
        ClickPreview(w.form);
        MakeImpossible(w.form);
        ClickPreview(w.form);
        QCOMPARE(w.form.sheetState().QuestionCount, 0);
        QCOMPARE(w.form.sheetState().PreviewReady, 1);
        QVERIFY(PrintButtonsEnabled(w.form));
        QVERIFY(PreviewDrawing(w.form).empty());
    }

    void badBoxKeepsTheOldSet_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << "edtIntf2"
                               << "" << QStringLiteral("'' は整数ではありません.");
        QTest::newRow("letter") << "edtIntb1"
                                << "x" << QStringLiteral("'x' は整数ではありません.");
        QTest::newRow("trailing space") << "edtBunbob2"
                                        << "9 " << QStringLiteral("'9 ' は整数ではありません.");
    }

    void badBoxKeepsTheOldSet()
    {
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        TestWindow w;
        ClickPreview(w.form);
        const ProblemTable before = w.form.problemTable();
        // A larger count and a new sheet number before the bad box.
        w.form.rgQNum->setItemIndex(1);
        Retype(w.form.PrnNum, QStringLiteral("5"));
        Retype(w.form.findChild<QLineEdit*>(box), text);
        ClickPreview(w.form);

        const std::vector<RecordingServices::Event> expected = {{Kind::Error, {}, Utf8(message)}};
        QCOMPARE(w.services.events, expected);
        QCOMPARE(w.form.sheetState().QuestionCount, 16);
        QCOMPARE(w.form.sheetState().PrintNumber, 5);
        QVERIFY(SameProblems(before, w.form.problemTable()));
        QVERIFY(PrintButtonsEnabled(w.form));
        QCOMPARE(PreviewDrawing(w.form),
                 SheetDrawing(before, 320, 441, 16, 5, true, "つぎの計算をしましょう。"));
    }

    void fullWidthDigitIsNoInteger()
    {
        TestWindow w;
        w.form.edtIntf1->clear();
        TypeCharacter(w.form.edtIntf1, QStringLiteral("１"));
        QCOMPARE(w.form.edtIntf1->text(), QStringLiteral("１"));
        ClickPreview(w.form);
        const std::vector<RecordingServices::Event> expected = {
            {Kind::Error, {}, "'１' は整数ではありません."}};
        QCOMPARE(w.services.events, expected);
        QCOMPARE(w.form.sheetState().QuestionCount, 0);
        QVERIFY(PrintButtonsDisabled(w.form));
    }

    void badSheetNumberStopsFirst()
    {
        TestWindow w;
        Retype(w.form.PrnNum, QStringLiteral("a1"));
        MakeImpossible(w.form);
        ClickPreview(w.form);
        const std::vector<RecordingServices::Event> expected = {
            {Kind::Error, {}, "'a1' は整数ではありません."}};
        QCOMPARE(w.services.events, expected);
        QCOMPARE(w.form.sheetState().PrintNumber, 1);
    }

    void outOfDomainIsRefused()
    {
        TestWindow w;
        ClickPreview(w.form);
        const ProblemTable before = w.form.problemTable();
        Retype(w.form.edtBunbof1, QStringLiteral("1"));
        ClickPreview(w.form);
        QCOMPARE(w.services.events.size(), std::size_t{1});
        QCOMPARE(w.services.events[0].kind, Kind::Error);
        QVERIFY(!w.services.events[0].text.empty());
        QVERIFY(SameProblems(before, w.form.problemTable()));
        QCOMPARE(w.form.sheetState().QuestionCount, 16);
    }

    void printCommands_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QList<bool>>("answerSheets");
        QTest::newRow("印刷") << "btnPrint" << QList<bool>{false};
        QTest::newRow("印刷（答えつき）") << "btnPrintWithAns" << QList<bool>{false, true};
        QTest::newRow("印刷（答えのみ）") << "btnPrintAns" << QList<bool>{true};
    }

    void printCommands()
    {
        QFETCH(QString, button);
        QFETCH(QList<bool>, answerSheets);
        TestWindow w;
        w.printer.width = 4760;
        w.printer.height = 6814;
        ClickPreview(w.form);
        Retype(w.form.PrnNum, QStringLiteral("7"));
        QTest::mouseClick(w.form.findChild<QPushButton*>(button), Qt::LeftButton);

        std::vector<std::string> log = {"SetPortrait", "PageHeight", "PageWidth"};
        for (int i = 0; i < answerSheets.size(); ++i) {
            log.push_back("BeginJob");
            log.push_back("EndJob");
        }
        QCOMPARE(w.printer.log, log);
        QCOMPARE(w.printer.jobs.size(), static_cast<std::size_t>(answerSheets.size()));
        for (int i = 0; i < answerSheets.size(); ++i) {
            const RecordingPrinter::Job& job = w.printer.jobs[static_cast<std::size_t>(i)];
            QCOMPARE(job.job.title, std::string("Tavrimo引き算分数編"));
            QCOMPARE(job.job.sheetNumber, 7);
            QCOMPARE(job.job.answerSheet, answerSheets[i]);
            QCOMPARE(job.calls, SheetDrawing(w.form.problemTable(), 4760, 6814, 16, 7, answerSheets[i],
                                             "つぎの計算をしましょう。"));
        }
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("8"));
        QCOMPARE(w.form.sheetState().PrintNumber, 8);
        QCOMPARE(w.form.sheetState().ShowAnswers, 0);
        QVERIFY(w.services.events.empty());
    }

    void printingTwicePrintsTheSameProblemsUnderTwoNumbers()
    {
        TestWindow w;
        ClickPreview(w.form);
        const ProblemTable set = w.form.problemTable();
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        QCOMPARE(w.printer.jobs.size(), std::size_t{2});
        QCOMPARE(w.printer.jobs[0].job.sheetNumber, 1);
        QCOMPARE(w.printer.jobs[1].job.sheetNumber, 2);
        QVERIFY(SameProblems(set, w.form.problemTable()));
        QCOMPARE(w.printer.jobs[1].calls,
                 SheetDrawing(set, 2480, 3508, 16, 2, false, "つぎの計算をしましょう。"));
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("3"));
    }

    void editedSentenceIsPrinted()
    {
        TestWindow w;
        ClickPreview(w.form);
        w.form.QstSentence->setText(QStringLiteral("答えを書きましょう"));
        w.form.QstSentence->setFocus();
        w.form.QstSentence->end(false);
        TypeCharacter(w.form.QstSentence, QStringLiteral("。"));
        QTest::mouseClick(w.form.btnPrintAns, Qt::LeftButton);
        QCOMPARE(w.printer.jobs.at(0).calls,
                 SheetDrawing(w.form.problemTable(), 2480, 3508, 16, 1, true, "答えを書きましょう。"));
    }

    void sheetNumberWrapsLikeA32BitInteger()
    {
        TestWindow w;
        ClickPreview(w.form);
        Retype(w.form.PrnNum, QStringLiteral("2147483647"));
        QTest::mouseClick(w.form.btnPrint, Qt::LeftButton);
        QCOMPARE(w.printer.jobs.at(0).job.sheetNumber, 2147483647);
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("-2147483648"));
    }

    void badSheetNumberStopsPrinting()
    {
        TestWindow w;
        ClickPreview(w.form);
        Retype(w.form.PrnNum, QStringLiteral("7x"));
        QTest::mouseClick(w.form.btnPrintWithAns, Qt::LeftButton);
        const std::vector<RecordingServices::Event> expected = {
            {Kind::Error, {}, "'7x' は整数ではありません."}};
        QCOMPARE(w.services.events, expected);
        QVERIFY(w.printer.log.empty());
        QCOMPARE(w.form.sheetState().PrintNumber, 1);
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("7x"));
    }

    void printerErrorsReachTheReport_data()
    {
        QTest::addColumn<int>("portraitFault");
        QTest::addColumn<int>("beginFault");
        QTest::addColumn<QString>("message");
        QTest::newRow("no printer") << int(PrinterFault::NoDefaultPrinter) << int(PrinterFault::None)
                                    << QStringLiteral("デフォルト プリンタが存在しません.");
        QTest::newRow("busy") << int(PrinterFault::None) << int(PrinterFault::AlreadyPrinting)
                              << QStringLiteral("現在印刷中です.");
    }

    void printerErrorsReachTheReport()
    {
        QFETCH(int, portraitFault);
        QFETCH(int, beginFault);
        QFETCH(QString, message);
        TestWindow w;
        ClickPreview(w.form);
        Retype(w.form.PrnNum, QStringLiteral("4"));
        w.printer.portraitFault = static_cast<PrinterFault>(portraitFault);
        w.printer.beginFault = static_cast<PrinterFault>(beginFault);
        QTest::mouseClick(w.form.btnPrintWithAns, Qt::LeftButton);
        const std::vector<RecordingServices::Event> expected = {{Kind::Error, {}, Utf8(message)}};
        QCOMPARE(w.services.events, expected);
        QVERIFY(w.printer.jobs.empty());
        // The number read stays, and is not advanced.
        QCOMPARE(w.form.sheetState().PrintNumber, 4);
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("4"));
        QCOMPARE(w.form.sheetState().ShowAnswers, 0);
    }

    void printSetupOpensThePrinterDialog()
    {
        TestWindow w;
        QTest::mouseClick(w.form.btnMaintenance, Qt::LeftButton);
        QCOMPARE(w.printer.log, std::vector<std::string>{"SetupDialog"});
    }

    void closeButtonClosesTheWindow()
    {
        TestWindow w;
        w.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QTest::mouseClick(w.form.btnClose, Qt::LeftButton);
        QVERIFY(!w.form.isVisible());
    }
};

QTEST_MAIN(WindowHandlersTest)
#include "window_handlers_test.moc"
