// The window as it stands after start: every control where the form puts it,
// with its text, font, limits, hint and state, and the tab order.

#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTest>
#include <QToolTip>

#include "app/paint_box.h"
#include "app/radio_group.h"
#include "app/shapes.h"
#include "runtime/control_hints.h"
#include "runtime/sheet_fonts.h"
#include "window_test_support.h"

using namespace tavrimo;
using namespace tavrimo::testing;

namespace {

QWidget* Control(TForm1& form, const QString& name)
{
    if (form.objectName() == name) return &form;
    return form.findChild<QWidget*>(name);
}

// The control a focused widget belongs to: a radio button stands for its group.
QString ControlName(QWidget* focused)
{
    if (focused == nullptr) return QStringLiteral("(none)");
    if (auto* group = qobject_cast<RadioGroup*>(focused->parentWidget())) return group->objectName();
    return focused->objectName();
}

QStringList TabWalk(TForm1& form, int steps)
{
    form.QstSentence->setFocus();
    QStringList visited{ControlName(QApplication::focusWidget())};
    for (int i = 0; i < steps; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        visited << ControlName(QApplication::focusWidget());
    }
    return visited;
}

bool HasJapaneseGlyphs(const QFont& font)
{
    return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Japanese);
}

}  // namespace

class WindowLayoutTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { InstallSheetFontSubstitutions(); }

    void windowItself()
    {
        TestWindow w;
        QCOMPARE(w.form.windowTitle(), QStringLiteral("Tavrimo For 引き算(分数編)"));
        w.form.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QCOMPARE(w.form.frameGeometry().size(), QSize(740, 563));
        const QRect screen = w.form.screen()->availableGeometry();
        QVERIFY(qAbs(w.form.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(w.form.frameGeometry().center().y() - screen.center().y()) <= 1);
        QCOMPARE(w.form.font().family(), QString::fromUtf8(kProportionalGothicFace));
        QCOMPARE(w.form.font().pixelSize(), 15);
        QVERIFY(HasJapaneseGlyphs(w.form.font()));
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("rect");
        // Labels take the size of their text: the form's size is a least size.
        QTest::addColumn<bool>("atLeast");
        const auto row = [](const char* name, int left, int top, int width, int height,
                            bool atLeast = false) {
            QTest::newRow(name) << QString::fromLatin1(name) << QRect(left, top, width, height) << atLeast;
        };
        row("Bevel2", 8, 8, 337, 41);
        row("Bevel11", 8, 56, 361, 65);
        row("Bevel3", 8, 128, 370, 289);
        row("Bevel1", 384, 56, 337, 457);
        row("PaintBox1", 393, 64, 320, 441);
        row("Label14", 16, 16, 322, 26, true);
        row("Label12", 513, 36, 104, 15, true);
        row("Label1", 16, 65, 45, 15, true);
        row("Label9", 16, 137, 30, 15, true);
        row("a", 128, 137, 16, 33, true);
        row("Label2", 320, 137, 16, 33, true);
        row("Label8", 184, 160, 15, 30, true);
        row("Label4", 44, 168, 15, 15, true);
        row("Label5", 128, 188, 15, 15, true);
        row("Label6", 236, 168, 15, 15, true);
        row("Label7", 320, 188, 15, 15, true);
        row("Label10", 224, 220, 76, 15, true);
        row("Shape1", 96, 173, 82, 4);
        row("Shape2", 288, 173, 82, 4);
        row("QstSentence", 16, 88, 345, 23);
        row("edtIntf1", 16, 164, 25, 23);
        row("edtIntf2", 60, 164, 25, 23);
        row("edtBunbof1", 96, 184, 25, 23);
        row("edtBunbof2", 148, 184, 25, 23);
        row("edtIntb1", 208, 164, 25, 23);
        row("edtIntb2", 253, 164, 25, 23);
        row("edtBunbob1", 288, 184, 25, 23);
        row("edtBunbob2", 340, 184, 25, 23);
        row("PrnNum", 304, 216, 49, 23);
        row("rgAnswer", 16, 216, 169, 153);
        row("rgTuubun", 198, 248, 171, 41);
        row("rgBaisuu", 198, 296, 173, 41);
        row("rgQNum", 198, 344, 173, 41);
        row("rgYakubun", 16, 376, 169, 33);
        row("btnPreview", 33, 432, 128, 25);
        row("btnMaintenance", 33, 464, 128, 25);
        row("btnClose", 33, 496, 128, 25);
        row("btnPrint", 216, 432, 129, 25);
        row("btnPrintWithAns", 216, 464, 129, 25);
        row("btnPrintAns", 216, 496, 129, 25);
    }

    void geometry()
    {
        QFETCH(QString, name);
        QFETCH(QRect, rect);
        QFETCH(bool, atLeast);
        TestWindow w;
        QWidget* control = Control(w.form, name);
        QVERIFY2(control != nullptr, qPrintable(name));
        QCOMPARE(control->parentWidget(), &w.form);
        QCOMPARE(control->pos(), rect.topLeft());
        if (atLeast) {
            QVERIFY(control->width() >= rect.width() && control->height() >= rect.height());
            // No clipping: the label is as large as its text needs.
            QVERIFY(control->width() >= control->sizeHint().width());
            QVERIFY(control->height() >= control->sizeHint().height());
        } else {
            QCOMPARE(control->size(), rect.size());
        }
    }

    void framesStandBehindTheControls()
    {
        TestWindow w;
        const QObjectList& children = w.form.children();
        for (Bevel* frame : {w.form.Bevel2, w.form.Bevel11, w.form.Bevel3, w.form.Bevel1}) {
            QVERIFY(children.indexOf(frame) < children.indexOf(w.form.PaintBox1));
            QVERIFY(children.indexOf(frame) < children.indexOf(w.form.Label14));
            QVERIFY(frame->testAttribute(Qt::WA_TransparentForMouseEvents));
        }
    }

    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("height");
        QTest::addColumn<QColor>("color");
        const QString gothic = QString::fromUtf8(kProportionalGothicFace);
        const QString mincho = QString::fromUtf8(kMinchoFace);
        const QColor windowText = QApplication::palette().color(QPalette::WindowText);
        const auto row = [](const char* name, const QString& text, const QString& face, int height,
                            const QColor& color) {
            QTest::newRow(name) << QString::fromLatin1(name) << text << face << height << color;
        };
        row("Label12", QStringLiteral("ﾌﾟﾚﾋﾞｭｰ画面↓"), mincho, 15, QColor(0, 128, 128));
        row("Label1", QStringLiteral("問題文"), gothic, 15, windowText);
        row("Label9", QStringLiteral("設定"), gothic, 15, windowText);
        row("a", QStringLiteral("a"), gothic, 33, windowText);
        row("Label2", QStringLiteral("b"), gothic, 33, windowText);
        row("Label8", QStringLiteral("-"), gothic, 30, windowText);
        row("Label4", QStringLiteral("～"), gothic, 15, windowText);
        row("Label5", QStringLiteral("～"), gothic, 15, windowText);
        row("Label6", QStringLiteral("～"), gothic, 15, windowText);
        row("Label7", QStringLiteral("～"), gothic, 15, windowText);
        row("Label10", QStringLiteral("プリント番号"), gothic, 15, windowText);
    }

    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, face);
        QFETCH(int, height);
        QFETCH(QColor, color);
        TestWindow w;
        auto* label = w.form.findChild<QLabel*>(name);
        QVERIFY(label != nullptr);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->font().family(), face);
        QCOMPARE(label->font().pixelSize(), height);
        QVERIFY(HasJapaneseGlyphs(label->font()));
        QCOMPARE(label->palette().color(QPalette::WindowText), color);
    }

    void banner()
    {
        TestWindow w;
        const QStringList lines = w.form.Label14->text().split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], QStringLiteral("Tavrimo For 引き算(分数編) Ver1.11"));
        QVERIFY(!lines[1].isEmpty());
        QCOMPARE(w.form.Label14->font().family(), QString::fromUtf8(kMinchoFace));
        QCOMPARE(w.form.Label14->font().pixelSize(), 13);
        QCOMPARE(w.form.Label14->palette().color(QPalette::WindowText), QColor(128, 0, 128));
    }

    void fractionBarsAreBlack()
    {
        TestWindow w;
        for (FilledShape* bar : {w.form.Shape1, w.form.Shape2}) {
            const QImage image = bar->grab().toImage();
            QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
            QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(Qt::black));
        }
    }

    void editBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("hint");
        const QString whole = QStringLiteral("0から99までの数");
        const QString denominator = QStringLiteral("0又は2から99までの数");
        const int unlimited = QLineEdit().maxLength();
        const auto row = [](const char* name, const QString& text, int maxLength, const QString& hint) {
            QTest::newRow(name) << QString::fromLatin1(name) << text << maxLength << hint;
        };
        row("QstSentence", QStringLiteral("つぎの計算をしましょう。"), unlimited,
            QStringLiteral("問題文を入力"));
        row("edtIntf1", QStringLiteral("0"), 2, whole);
        row("edtIntf2", QStringLiteral("0"), 2, whole);
        row("edtBunbof1", QStringLiteral("2"), 2, denominator);
        row("edtBunbof2", QStringLiteral("99"), 2, denominator);
        row("edtIntb1", QStringLiteral("0"), 2, whole);
        row("edtIntb2", QStringLiteral("0"), 2, whole);
        row("edtBunbob1", QStringLiteral("2"), 2, denominator);
        row("edtBunbob2", QStringLiteral("99"), 2, denominator);
        row("PrnNum", QStringLiteral("1"), unlimited, QString());
    }

    void editBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(int, maxLength);
        QFETCH(QString, hint);
        TestWindow w;
        auto* box = w.form.findChild<QLineEdit*>(name);
        QVERIFY(box != nullptr);
        QCOMPARE(box->text(), text);
        QCOMPARE(box->maxLength(), maxLength);
        QCOMPARE(box->toolTip(), hint);
        QVERIFY(box->isEnabled());
        if (!hint.isEmpty()) {
            QCOMPARE(box->toolTipDuration(), kHintShowTimeMs);
            QCOMPARE(box->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, box), kHintDelayMs);
        }
    }

    void rangeBoxesTakeTwoCharacters()
    {
        TestWindow w;
        Retype(w.form.edtIntf1, QStringLiteral("-75"));
        QCOMPARE(w.form.edtIntf1->text(), QStringLiteral("-7"));
        // Not checked while typing.
        Retype(w.form.edtIntb2, QStringLiteral("x$"));
        QCOMPARE(w.form.edtIntb2->text(), QStringLiteral("x$"));
        Retype(w.form.PrnNum, QStringLiteral("123456"));
        QCOMPARE(w.form.PrnNum->text(), QStringLiteral("123456"));
    }

    void radioGroups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("rgAnswer") << "rgAnswer" << QStringLiteral("分数部分だけの答え")
                                  << QStringList{QStringLiteral("0以上約分なし"),
                                                 QStringLiteral("0以上約分あり"),
                                                 QStringLiteral("0以上約分混合"),
                                                 QStringLiteral("0未満約分なし"),
                                                 QStringLiteral("0未満約分あり"),
                                                 QStringLiteral("0未満約分混合")}
                                  << 1 << true;
        QTest::newRow("rgTuubun") << "rgTuubun" << QStringLiteral("通分の有無")
                                  << QStringList{QStringLiteral("なし"), QStringLiteral("あり")} << 2 << true;
        QTest::newRow("rgBaisuu") << "rgBaisuu" << QStringLiteral("他方の倍数パターン")
                                  << QStringList{QStringLiteral("なし"), QStringLiteral("あり")} << 2
                                  << false;
        QTest::newRow("rgQNum") << "rgQNum" << QStringLiteral("問題数")
                                << QStringList{QStringLiteral("8段2列"), QStringLiteral("10段2列")} << 2
                                << true;
        QTest::newRow("rgYakubun") << "rgYakubun" << QStringLiteral("分母と分子の約分")
                                   << QStringList{QStringLiteral("混合"), QStringLiteral("なし")} << 2
                                   << true;
    }

    void radioGroups()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QStringList, items);
        QFETCH(int, columns);
        QFETCH(bool, enabled);
        TestWindow w;
        w.form.ShowCentred();  // buttons are arranged when the group gets its size
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        auto* group = w.form.findChild<RadioGroup*>(name);
        QVERIFY(group != nullptr);
        QCOMPARE(group->caption(), caption);
        QCOMPARE(group->count(), items.size());
        QCOMPARE(group->itemIndex(), 0);
        QCOMPARE(group->isEnabled(), enabled);
        QVERIFY(group->toolTip().isEmpty());
        const int perColumn = (group->count() + columns - 1) / columns;
        for (int i = 0; i < group->count(); ++i) {
            QRadioButton* button = group->button(i);
            QCOMPARE(button->text(), items[i]);
            QCOMPARE(button->isChecked(), i == 0);
            // Column by column from the top, every button whole inside the frame.
            const QRect first = group->button((i / perColumn) * perColumn)->geometry();
            const QRect top = group->button(i % perColumn)->geometry();
            QCOMPARE(button->geometry().x(), first.x());
            QCOMPARE(button->geometry().y(), top.y());
            if (i % perColumn > 0) QVERIFY(button->y() > group->button(i - 1)->y());
            if (i >= perColumn) QVERIFY(button->x() > group->button(i - perColumn)->x());
            QVERIFY(group->rect().contains(button->geometry()));
            QVERIFY(button->height() > button->fontMetrics().height());
        }
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("pictureSize");
        const auto row = [](const char* name, const QString& caption, const QString& hint, bool enabled,
                            int pictureSize) {
            QTest::newRow(name) << QString::fromLatin1(name) << caption << hint << enabled << pictureSize;
        };
        row("btnPreview", QStringLiteral("プレビュー"), QStringLiteral("印刷イメージを見る"), true, 16);
        row("btnMaintenance", QStringLiteral("印刷設定"), QStringLiteral("印刷の設定を変更"), true, 16);
        row("btnClose", QStringLiteral("終了"), QStringLiteral("プログラムを終了"), true, 18);
        row("btnPrint", QStringLiteral("印刷"), QStringLiteral("解答なしで印刷"), false, 16);
        row("btnPrintWithAns", QStringLiteral("印刷（答えつき）"), QStringLiteral("解答ありで印刷"), false,
            16);
        row("btnPrintAns", QStringLiteral("印刷（答えのみ）"), QStringLiteral("解答のみ印刷"), false, 16);
    }

    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, hint);
        QFETCH(bool, enabled);
        QFETCH(int, pictureSize);
        TestWindow w;
        auto* button = w.form.findChild<QPushButton*>(name);
        QVERIFY(button != nullptr);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), hint);
        QCOMPARE(button->toolTipDuration(), kHintShowTimeMs);
        QCOMPARE(button->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, button), kHintDelayMs);
        QCOMPARE(button->isEnabled(), enabled);

        // The picture: its own size, a transparent background, greyed when disabled.
        QCOMPARE(button->iconSize(), QSize(pictureSize, pictureSize));
        const QIcon icon = button->icon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(pictureSize, pictureSize)));
        const QImage normal = icon.pixmap(pictureSize, QIcon::Normal).toImage();
        const QImage disabled = icon.pixmap(pictureSize, QIcon::Disabled).toImage();
        QCOMPARE(normal.size(), QSize(pictureSize, pictureSize));
        QVERIFY(normal.hasAlphaChannel());
        QCOMPARE(qAlpha(normal.pixel(0, pictureSize - 1)), 0);
        QVERIFY(normal != disabled);
    }

    void printButtonsShareOnePicture()
    {
        TestWindow w;
        const QImage print = w.form.btnPrint->icon().pixmap(16).toImage();
        QCOMPARE(w.form.btnPrintWithAns->icon().pixmap(16).toImage(), print);
        QCOMPARE(w.form.btnPrintAns->icon().pixmap(16).toImage(), print);
        QVERIFY(w.form.btnPreview->icon().pixmap(16).toImage() != print);
    }

    void hintShowsAndHides()
    {
        TestWindow w;
        w.form.ShowCentred();
        QVERIFY(QTest::qWaitForWindowExposed(&w.form));
        QTest::mouseMove(w.form.edtBunbof2);
        QTRY_VERIFY_WITH_TIMEOUT(QToolTip::isVisible(), 3000);
        QCOMPARE(QToolTip::text(), QStringLiteral("0又は2から99までの数"));
        QTRY_VERIFY_WITH_TIMEOUT(!QToolTip::isVisible(), 6000);
    }

    void tabOrderAtStart()
    {
        TestWindow w;
        w.form.ShowCentred();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        // The print buttons and rgBaisuu are disabled and skipped.
        const QStringList expected = {
            "QstSentence", "edtIntf1",   "edtIntf2",   "edtBunbof1", "edtBunbof2", "edtIntb1",
            "edtIntb2",    "edtBunbob1", "edtBunbob2", "rgAnswer",   "btnPreview", "btnMaintenance",
            "btnClose",    "PrnNum",     "rgQNum",     "rgTuubun",   "rgYakubun",  "QstSentence",
        };
        QCOMPARE(TabWalk(w.form, static_cast<int>(expected.size()) - 1), expected);
    }

    void tabOrderWithEverythingEnabled()
    {
        TestWindow w;
        w.form.ShowCentred();
        QVERIFY(QTest::qWaitForWindowActive(&w.form));
        QTest::mouseClick(w.form.btnPreview, Qt::LeftButton);
        QTest::mouseClick(w.form.rgTuubun->button(1), Qt::LeftButton);
        // A group is one stop, at its selected item.
        const QStringList expected = {
            "QstSentence", "edtIntf1",       "edtIntf2",   "edtBunbof1",  "edtBunbof2", "edtIntb1",
            "edtIntb2",    "edtBunbob1",     "edtBunbob2", "rgAnswer",    "btnPrint",   "btnPrintWithAns",
            "btnPreview",  "btnMaintenance", "btnClose",   "PrnNum",      "rgQNum",     "rgTuubun",
            "rgBaisuu",    "btnPrintAns",    "rgYakubun",  "QstSentence",
        };
        QCOMPARE(TabWalk(w.form, static_cast<int>(expected.size()) - 1), expected);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(ControlName(QApplication::focusWidget()), QStringLiteral("rgYakubun"));
        // The stop moves with the selection.
        w.form.rgYakubun->setItemIndex(1);
        w.form.QstSentence->setFocus();
        QTest::keyClick(w.form.QstSentence, Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), w.form.rgYakubun->button(1));
    }
};

QTEST_MAIN(WindowLayoutTest)
#include "window_layout_test.moc"
