// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/strategy_window.h"

#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "contract/strategy_texts.h"
#include "ui/dialogs.h"
#include "ui/strategy_charts.h"

namespace brisko {

namespace {

// The window's size and its text at the 800-pixel table.
constexpr int kDesignWidth = 620;
constexpr int kDesignHeight = 560;
constexpr int kDesignFont = 12;

QString words(ChartText key, Language language) {
    return QString::fromUtf8(chartText(key, language).data(),
                             static_cast<qsizetype>(chartText(key, language).size()));
}

QString decimalIn(double value, int places, Language language) {
    QString s = QString::number(value, 'f', places);
    if (language == Language::French) s.replace('.', ',');
    return s;
}

// Shares too small for two places still show they happen.
QString percentIn(double share, Language language) {
    const bool tiny = share > 0 && share < 0.00005;
    return (tiny ? "&lt;" : "") + decimalIn(tiny ? 0.01 : 100 * share, 2, language) +
           (language == Language::French ? "&nbsp;%" : "%");
}

QString lineRow(const ChartLine& line, Language language) {
    QString hold = QString::fromStdString(chartLineText(line, language)).toHtmlEscaped();
    if (line.isException()) {
        hold += (language == Language::French ? " : " : ": ") + words(ChartText::Before, language) +
                ' ' + QString::number(line.before);
    }
    const QString value = line.share > 0 ? decimalIn(line.value, 3, language) : "-";
    return QString(
               "<tr><td align=right>%1</td><td>%2</td><td align=right>%3</td>"
               "<td align=right>%4</td></tr>")
        .arg(line.number)
        .arg(hold, value, percentIn(line.share, language));
}

}  // namespace

QString strategyChartHtml(const StrategyChart& chart, Language language) {
    const QString colon = language == Language::French ? " : " : ": ";
    const char point = language == Language::French ? ',' : '.';
    QString html = "<html><body>";
    html += "<h2>" + words(ChartText::Title, language) + colon +
            QString::fromUtf8(textFor(Txt::txtGameType, language).data()) + ' ' +
            QString::number(number(chart.gameType)) + " (" +
            QString::fromUtf8(textFor(gameTypeName(chart.gameType), language).data()) + ")</h2>";
    html += "<p>" + words(ChartText::HowToRead, language).toHtmlEscaped() + "</p>";
    html += "<p>" + words(ChartText::Runs, language).toHtmlEscaped() + "</p>";
    const QString head =
        QString(
            "<tr><th align=right>%1</th><th align=left>%2</th>"
            "<th align=right>%3</th><th align=right>%4</th></tr>")
            .arg(words(ChartText::LineColumn, language), words(ChartText::HoldColumn, language),
                 words(ChartText::WinColumn, language), words(ChartText::UsedColumn, language));
    const QString table = "<table cellspacing=0 cellpadding=2 width=100%>";
    for (const ChartSection& s : chart.sections) {
        html += "<h3>" + words(s.joker ? ChartText::WithJoker : ChartText::WithoutJoker, language) +
                colon + percentIn(s.share, language) + ' ' + words(ChartText::OfDeals, language) +
                "</h3>";
        html += table + head;
        for (const ChartLine& line : s.lines) html += lineRow(line, language);
        html += "</table>";
        if (s.exceptions.empty()) continue;
        html += "<h4>" + words(ChartText::Exceptions, language) + "</h4><p>" +
                words(ChartText::ExceptionsNote, language).toHtmlEscaped() + "</p>";
        html += table + head;
        for (const ChartLine& line : s.exceptions) html += lineRow(line, language);
        html += "</table>";
    }
    html += "<p><b>" + words(ChartText::ChartReturn, language) + ' ' +
            QString::fromStdString(chart.chartReturn.rounded(6, point)) + "</b>, " +
            words(ChartText::BestReturn, language) + ' ' +
            QString::fromStdString(chart.bestReturn.rounded(6, point)) + ", " +
            words(ChartText::SuggestedReturn, language) + ' ' +
            QString::fromStdString(chart.suggestedReturn.rounded(6, point)) + ".<br>" +
            words(ChartText::BestHolds, language) + colon +
            percentIn(static_cast<double>(chart.bestHoldShare.value()), language) + "</p>";
    return html + "</body></html>";
}

StrategyWindow::StrategyWindow(QWidget* table, StrategyCharts& charts, const WindowTexts& texts,
                               Dialogs& dialogs)
    : QWidget(table, Qt::Window),
      charts_(charts),
      texts_(texts),
      dialogs_(dialogs),
      page_(new QTextBrowser(this)),
      print_(new QPushButton(this)),
      pdf_(new QPushButton(this)),
      close_(new QPushButton(this)) {
    setObjectName("strategyWindow");
    page_->setObjectName("strategyPage");
    print_->setObjectName("strategyPrint");
    pdf_->setObjectName("strategyPdf");
    close_->setObjectName("strategyClose");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(page_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(print_);
    buttons->addWidget(pdf_);
    buttons->addStretch(1);
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(print_, &QPushButton::clicked, this, &StrategyWindow::print);
    connect(pdf_, &QPushButton::clicked, this, &StrategyWindow::exportPdfAsked);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    connect(&charts_, &StrategyCharts::ready, this, [this](int type) {
        if (type == number(type_)) fill();
    });
    setScale(800);
    applyTexts();
}

void StrategyWindow::showType(GameType type) {
    type_ = type;
    typeShown_ = true;
    fill();
}

void StrategyWindow::applyTexts() {
    print_->setText(text(WindowTxt::txtStrategyPrint));
    pdf_->setText(text(WindowTxt::txtStrategyPdf));
    close_->setText(text(WindowTxt::txtStatsClose));
    fill();
}

void StrategyWindow::setScale(int32_t m) {
    auto length = [m](int design) { return std::max(1, design * m / 800); };
    QFont f = font();
    f.setPixelSize(length(kDesignFont));
    setFont(f);
    resize(length(kDesignWidth), length(kDesignHeight));
}

QString StrategyWindow::title() const {
    const std::string_view name = chartText(ChartText::Title, texts_.language());
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())) + " - " +
           q(std::string(textFor(gameTypeName(type_), texts_.language())));
}

// The chart when it is at hand; otherwise what is being done about it. The
// page keeps its place when the language changes under it.
void StrategyWindow::fill() {
    // Nothing is asked of the charts before a game type is shown.
    if (!typeShown_) return;
    setWindowTitle(title());
    chart_ = charts_.chart(type_);
    const bool failed = !chart_ && charts_.hasFailed(type_);
    print_->setEnabled(chart_ != nullptr);
    pdf_->setEnabled(chart_ != nullptr);
    if (!chart_) {
        page_->setPlainText(
            text(failed ? WindowTxt::txtStrategyFailed : WindowTxt::txtStrategyMaking));
        return;
    }
    page_->setHtml(strategyChartHtml(*chart_, texts_.language()));
}

void StrategyWindow::printTo(QPagedPaintDevice& device) const {
    if (!chart_) return;
    QTextDocument document;
    document.setDefaultFont(font());
    document.setHtml(strategyChartHtml(*chart_, texts_.language()));
    document.print(&device);
}

bool StrategyWindow::exportPdf(const QString& path, QString* why) const {
    QSaveFile file(path);
    if (!chart_ || !file.open(QIODevice::WriteOnly)) {
        if (why) *why = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("BRISKO 99"));
        writer.setPageSize(QPageSize(QPageSize::A4));
        printTo(writer);
    }
    if (!file.commit()) {
        if (why) *why = file.errorString();
        return false;
    }
    return true;
}

void StrategyWindow::print() {
    if (!chart_) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title());
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) printTo(printer);
}

void StrategyWindow::exportPdfAsked() {
    if (!chart_) return;
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed =
        QDir(folder).filePath(QString("brisko99-strategy-%1.pdf").arg(number(type_)));
    const QString path =
        QFileDialog::getSaveFileName(this, text(WindowTxt::txtStrategyPdf).remove('&'), proposed,
                                     text(WindowTxt::txtStrategyPdfFiles));
    if (path.isEmpty()) return;
    QString why;
    if (!exportPdf(path, &why)) dialogs_.message(this, text(WindowTxt::txtStrategyPdfFailed) + why);
}

void StrategyWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace brisko
