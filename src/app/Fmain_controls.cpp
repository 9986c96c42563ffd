// The controls of TForm1: positions, texts, fonts, hints, initial states and
// the tab order, as a form designer would have stored them.

#include <QFont>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <vector>

#include "app/Fmain.h"
#include "app/paint_box.h"
#include "app/radio_group.h"
#include "app/shapes.h"
#include "problems/setting_descriptions.h"
#include "render/sheet_layout.h"
#include "runtime/qt/control_hints.h"
#include "runtime/qt/sheet_fonts.h"

// The button pictures are compiled into the program; a static library needs
// them registered by name.
static void InitButtonPictures()
{
    Q_INIT_RESOURCE(icons);
}

namespace tavrimo {
namespace {

// Font heights are character heights in pixels, the pixel size of a Qt font.
constexpr int kWindowFontHeight = 15;

QFont FaceFont(const char* face, int pixelSize)
{
    QFont font(QString::fromUtf8(face));
    font.setPixelSize(pixelSize);
    return font;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, int width, int height,
                  const QString& text)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(left, top, width, height);
    return label;
}

// A label sized to its text, as large as the form gives it at least.
void FitToText(QLabel* label)
{
    const QSize text = label->sizeHint();
    label->resize(std::max(label->width(), text.width()), std::max(label->height(), text.height()));
}

void SetTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QString Q(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

const SettingDescription& Described(std::string_view control)
{
    return *FindSettingByControl(control);
}

// An edit box of a setting: its name, initial text, most characters and hint
// as the settings describe them. The sentence box takes any length here; a
// sentence too long for the sheet is warned about when the sheet is made.
QLineEdit* MakeEdit(QWidget* parent, std::string_view control, int left, int top, int width)
{
    constexpr int kEditHeight = 23;
    const SettingDescription& d = Described(control);
    auto* edit = new QLineEdit(Q(DefaultText(d)), parent);
    edit->setObjectName(Q(control));
    edit->setGeometry(left, top, width, kEditHeight);
    if (d.kind == SettingKind::BoxText && d.maxLength > 0) edit->setMaxLength(d.maxLength);
    if (!d.hint.empty()) SetHint(*edit, Q(d.hint));
    return edit;
}

// A radio group of a setting: its caption and items as described, the
// initial item selected.
RadioGroup* MakeGroup(QWidget* parent, std::string_view control, int left, int top, int width, int height,
                      int columns)
{
    const SettingDescription& d = Described(control);
    QStringList items;
    for (const SettingItem& item : d.items) items << Q(item.text);
    auto* group = new RadioGroup(Q(d.label), items, columns, parent);
    group->setObjectName(Q(control));
    group->setGeometry(left, top, width, height);
    group->setItemIndex(DefaultValue(d));
    return group;
}

QPushButton* MakeButton(QWidget* parent, const char* name, int left, int top, int width,
                        const QString& caption, const QString& hint, const char* picture, int pictureSize)
{
    constexpr int kButtonHeight = 25;
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(left, top, width, kButtonHeight);
    if (picture != nullptr) {
        button->setIcon(QIcon(QString::fromLatin1(picture)));
        button->setIconSize(QSize(pictureSize, pictureSize));
    }
    // Enter on the focused button clicks it, as Space does.
    button->setAutoDefault(true);
    SetHint(*button, hint);
    return button;
}

}  // namespace

void TForm1::CreateControls()
{
    InitButtonPictures();

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Tavrimo For 引き算(分数編)"));
    setFont(FaceFont(kProportionalGothicFace, kWindowFontHeight));

    // Frames first, so every other control stands in front of them.
    const auto bevel = [this](const char* name, int left, int top, int width, int height) {
        auto* frame = new Bevel(this);
        frame->setObjectName(QString::fromLatin1(name));
        frame->setGeometry(left, top, width, height);
        return frame;
    };
    Bevel2 = bevel("Bevel2", 8, 8, 337, 41);
    Bevel11 = bevel("Bevel11", 8, 56, 361, 65);
    Bevel3 = bevel("Bevel3", 8, 128, 370, 289);
    Bevel1 = bevel("Bevel1", 384, 56, 337, 457);

    PaintBox1 = new PaintBox(this);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(393, 64, kReferenceWidth, kReferenceHeight);

    Label14 = MakeLabel(this, "Label14", 16, 16, 322, 26,
                        QStringLiteral("Tavrimo For 引き算(分数編) Ver1.11\n制作 Tavrimo開発チーム"));
    Label14->setFont(FaceFont(kMinchoFace, 13));
    SetTextColor(Label14, QColor(128, 0, 128));
    Label12 = MakeLabel(this, "Label12", 513, 36, 104, 15, QStringLiteral("ﾌﾟﾚﾋﾞｭｰ画面↓"));
    Label12->setFont(FaceFont(kMinchoFace, 15));
    SetTextColor(Label12, QColor(0, 128, 128));
    Label1 = MakeLabel(this, "Label1", 16, 65, 45, 15, QStringLiteral("問題文"));
    Label9 = MakeLabel(this, "Label9", 16, 137, 30, 15, QStringLiteral("設定"));
    a = MakeLabel(this, "a", 128, 137, 16, 33, QStringLiteral("a"));
    a->setFont(FaceFont(kProportionalGothicFace, 33));
    Label2 = MakeLabel(this, "Label2", 320, 137, 16, 33, QStringLiteral("b"));
    Label2->setFont(FaceFont(kProportionalGothicFace, 33));
    Label8 = MakeLabel(this, "Label8", 184, 160, 15, 30, QStringLiteral("-"));
    Label8->setFont(FaceFont(kProportionalGothicFace, 30));
    Label4 = MakeLabel(this, "Label4", 44, 168, 15, 15, QStringLiteral("～"));
    Label5 = MakeLabel(this, "Label5", 128, 188, 15, 15, QStringLiteral("～"));
    Label6 = MakeLabel(this, "Label6", 236, 168, 15, 15, QStringLiteral("～"));
    Label7 = MakeLabel(this, "Label7", 320, 188, 15, 15, QStringLiteral("～"));
    Label10 = MakeLabel(this, "Label10", 224, 220, 76, 15, QStringLiteral("プリント番号"));
    for (QLabel* label :
         {Label14, Label12, Label1, Label9, a, Label2, Label8, Label4, Label5, Label6, Label7, Label10}) {
        FitToText(label);
    }

    Shape1 = new FilledShape(Qt::black, this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setGeometry(96, 173, 82, 4);
    Shape2 = new FilledShape(Qt::black, this);
    Shape2->setObjectName(QStringLiteral("Shape2"));
    Shape2->setGeometry(288, 173, 82, 4);

    QstSentence = MakeEdit(this, "QstSentence", 16, 88, 345);
    edtIntf1 = MakeEdit(this, "edtIntf1", 16, 164, 25);
    edtIntf2 = MakeEdit(this, "edtIntf2", 60, 164, 25);
    edtBunbof1 = MakeEdit(this, "edtBunbof1", 96, 184, 25);
    edtBunbof2 = MakeEdit(this, "edtBunbof2", 148, 184, 25);
    edtIntb1 = MakeEdit(this, "edtIntb1", 208, 164, 25);
    edtIntb2 = MakeEdit(this, "edtIntb2", 253, 164, 25);
    edtBunbob1 = MakeEdit(this, "edtBunbob1", 288, 184, 25);
    edtBunbob2 = MakeEdit(this, "edtBunbob2", 340, 184, 25);
    PrnNum = MakeEdit(this, "PrnNum", 304, 216, 49);

    rgAnswer = MakeGroup(this, "rgAnswer", 16, 216, 169, 153, 1);
    rgTuubun = MakeGroup(this, "rgTuubun", 198, 248, 171, 41, 2);
    rgBaisuu = MakeGroup(this, "rgBaisuu", 198, 296, 173, 41, 2);
    rgBaisuu->setEnabled(false);
    rgQNum = MakeGroup(this, "rgQNum", 198, 344, 173, 41, 2);
    rgYakubun = MakeGroup(this, "rgYakubun", 16, 376, 169, 33, 2);

    constexpr int kPictureSize = 16;
    constexpr int kClosePictureSize = 18;
    btnPreview = MakeButton(this, "btnPreview", 33, 432, 128, QStringLiteral("プレビュー"),
                            QStringLiteral("印刷イメージを見る"), ":/icons/preview.png", kPictureSize);
    btnMaintenance = MakeButton(this, "btnMaintenance", 33, 464, 128, QStringLiteral("印刷設定"),
                                QStringLiteral("印刷の設定を変更"), ":/icons/maintenance.png", kPictureSize);
    btnClose = MakeButton(this, "btnClose", 33, 496, 128, QStringLiteral("終了"),
                          QStringLiteral("プログラムを終了"), ":/icons/close.png", kClosePictureSize);
    btnPrint = MakeButton(this, "btnPrint", 216, 432, 129, QStringLiteral("印刷"),
                          QStringLiteral("解答なしで印刷"), ":/icons/printer.png", kPictureSize);
    btnPrintWithAns = MakeButton(this, "btnPrintWithAns", 216, 464, 129, QStringLiteral("印刷（答えつき）"),
                                 QStringLiteral("解答ありで印刷"), ":/icons/printer.png", kPictureSize);
    btnPrintAns = MakeButton(this, "btnPrintAns", 216, 496, 129, QStringLiteral("印刷（答えのみ）"),
                             QStringLiteral("解答のみ印刷"), ":/icons/printer.png", kPictureSize);
    for (QPushButton* button : {btnPrint, btnPrintWithAns, btnPrintAns}) button->setEnabled(false);
    // Beside the preview's label, shown only for a class set.
    lblSheets = MakeLabel(this, "lblSheets", 644, 36, 54, 15, QString());
    lblSheets->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    btnPrevSheet = MakeButton(this, "btnPrevSheet", 622, 33, 20, QStringLiteral("◀"),
                              QStringLiteral("前のプリント"), nullptr, 0);
    btnNextSheet = MakeButton(this, "btnNextSheet", 700, 33, 20, QStringLiteral("▶"),
                              QStringLiteral("次のプリント"), nullptr, 0);
    for (QPushButton* step : {btnPrevSheet, btnNextSheet}) {
        step->resize(20, 21);
        step->hide();
    }
    // In free space above the preview's label, last in the tab order.
    btnAdvanced =
        MakeButton(this, "btnAdvanced", 513, 8, 104, QStringLiteral("詳細設定…"),
                   QStringLiteral("くり下がりの混ぜかた、枚数、名前の欄、途中式などの設定"), nullptr, 0);

    SetTabOrder();
}

void TForm1::SetTabOrder()
{
    const std::vector<QWidget*> order = {
        QstSentence, edtIntf1, edtIntf2, edtBunbof1,      edtBunbof2, edtIntb1,       edtIntb2, edtBunbob1,
        edtBunbob2,  rgAnswer, btnPrint, btnPrintWithAns, btnPreview, btnMaintenance, btnClose, PrnNum,
        rgQNum,      rgTuubun, rgBaisuu, btnPrintAns,     rgYakubun,  btnAdvanced,
    };
    // A group's buttons stand together in the chain; only its selected one
    // takes the Tab key.
    std::vector<QWidget*> chain;
    for (QWidget* control : order) {
        if (auto* group = qobject_cast<RadioGroup*>(control)) {
            for (int i = 0; i < group->count(); ++i) chain.push_back(group->button(i));
        } else {
            chain.push_back(control);
        }
    }
    for (std::size_t i = 1; i < chain.size(); ++i) QWidget::setTabOrder(chain[i - 1], chain[i]);
}

}  // namespace tavrimo
