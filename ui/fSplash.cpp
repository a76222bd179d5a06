// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/fSplash.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLibraryInfo>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include "ui/accessible_names.h"
#include "ui/brisko_icon.h"
#include "ui/figures.h"
#include "ui/focus_mark.h"
#include "ui/widgets.h"

namespace brisko {

namespace {

constexpr const char* kCopyright =
    "\u00A9 2026 The BRISKO 99 developers \u2013 www.gnu.org/licenses/gpl-3.0";
constexpr const char* kWarning =
    "Free software under the GNU General Public License, version 3 or later: you may copy, "
    "share and change it. It comes with NO WARRANTY.\n"
    "Logiciel libre sous licence GNU GPL, version 3 ou ult\u00E9rieure : copie, partage et "
    "modification permis. SANS AUCUNE GARANTIE.";

QLabel* label(QWidget* parent, const char* name, QRect design) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    setDesignGeometry(l, design);
    return l;
}

QPushButton* startButton(QWidget* parent, const char* name, QRect design, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    setDesignGeometry(b, design);
    setDesignFont(b, "Times New Roman", 16, true);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

// The font of `label` shrinks a pixel at a time until its wrapped text fits:
// scaled fonts do not grow in step with the label that holds them.
void fitText(QLabel* label) {
    const int margin = label->margin();
    const QRect box =
        label->contentsRect().marginsRemoved(QMargins(margin, margin, margin, margin));
    const int flags = int(label->alignment()) | Qt::TextWordWrap;
    QFont font = label->font();
    while (font.pixelSize() > 6 &&
           !box.contains(QFontMetrics(font).boundingRect(box, flags, label->text()))) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    label->setFont(font);
}

}  // namespace

QPixmap briskoLogo(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer{QByteArray(kBriskoIconSvg)};
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    return pixmap;
}

TfrmSplash::TfrmSplash(StartUp& startUp, std::optional<ScreenMetrics> screen, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), startUp_(startUp) {
    FormCreate(screen ? *screen : primaryScreenMetrics());
}

void TfrmSplash::FormCreate(const ScreenMetrics& screen) {
    setObjectName("frmSplash");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    setDesignFont(this, "MS Sans Serif", 11, false);
    setBackground(this, QColor(0x00, 0x80, 0xC0));
    setDesignGeometry(this, QRect(0, 0, 421, 307));

    FrameSplash = new QGroupBox(this);
    FrameSplash->setObjectName("FrameSplash");
    setDesignGeometry(FrameSplash, QRect(12, 8, 401, 251));

    ImgLogo = label(FrameSplash, "ImgLogo", QRect(10, 14, 32, 32));
    ImgLogo->setScaledContents(true);
    lblCompanyProduct = label(FrameSplash, "lblCompanyProduct", QRect(53, 15, 246, 36));
    setDesignFont(lblCompanyProduct, "Times New Roman", 32, false);
    lblCopyright = label(FrameSplash, "lblCopyright", QRect(13, 51, 375, 16));
    setBackground(lblCopyright, QColor(0x00, 0x80, 0xC0));
    lblCoAuthors = label(FrameSplash, "lblCoAuthors", QRect(14, 69, 374, 16));
    lblWarning = label(FrameSplash, "lblWarning", QRect(15, 103, 373, 92));
    setDesignFont(lblWarning, "MS Sans Serif", 13, false);
    setBackground(lblWarning, QColor(0x80, 0xFF, 0xFF));
    lblWarning->setWordWrap(true);
    lblWarning->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblWarning->setMargin(2);

    PanelStartFrench = startButton(FrameSplash, "PanelStartFrench", QRect(19, 206, 176, 30),
                                   QString::fromUtf8("Version fran\u00E7aise"));
    PanelStartEnglish =
        startButton(FrameSplash, "PanelStartEnglish", QRect(212, 206, 176, 30), "English version");
    connect(PanelStartFrench, &QPushButton::clicked, this, &TfrmSplash::PanelStartFrenchClick);
    connect(PanelStartEnglish, &QPushButton::clicked, this, &TfrmSplash::PanelStartEnglishClick);
    nameSplash(*this);
    // The keys and the focus ring of the table's buttons.
    FocusMark::attach(this);

    const ScreenScale scale = screenScale(screen.width, screen.height, screen.dpi);
    scaleWidgets(this, scale.m);
    ImgLogo->setPixmap(briskoLogo(std::max(32, ImgLogo->width()) * 2));

    startUp_ = composeStartUp();
    lblCopyright->setText(QString::fromUtf8(kCopyright));
    lblCoAuthors->clear();
    lblCompanyProduct->setText(QString::fromStdString(startUp_.productTitle));
    // For the task bar, which would otherwise name the program by its file.
    setWindowTitle(QString::fromStdString(startUp_.productTitle));
    lblWarning->setText(QString::fromUtf8(kWarning));
    fitText(lblWarning);

    setFixedSize(size());
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
        move(s->availableGeometry().center() - rect().center());
    }
    show();
    // The keys work at once, with no window manager to give the focus too.
    activateWindow();
}

void TfrmSplash::PanelStartFrenchClick() {
    chooseLanguage(Language::French);
}

void TfrmSplash::PanelStartEnglishClick() {
    chooseLanguage(Language::English);
}

void TfrmSplash::chooseLanguage(Language language) {
    // The toolkit's own buttons (Oui, Non, Annuler) speak the language too.
    const std::string_view locale = infoOf(language).qtLocale;
    if (!locale.empty() && qtTranslator_.load(QString::fromUtf8("qtbase_") + q(locale),
                                              QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(&qtTranslator_);
    }
    if (frmBrisko_) frmBrisko_->chooseLanguage(language);
    hide();
    if (!frmBrisko_) return;
    // Without a window manager a maximised window keeps its size: fill the
    // screen first.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        frmBrisko_->setGeometry(screen->availableGeometry());
    }
    frmBrisko_->showMaximized();
    frmBrisko_->timerDepart.start();
}

void TfrmSplash::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace brisko
