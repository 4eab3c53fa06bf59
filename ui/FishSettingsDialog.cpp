#include "FishSettingsDialog.h"

#include "ProductInfo.h"

#include "DialogFocus.h"
#include "DialogFont.h"
#include "DialogUnits.h"
#include "FlatButton.h"
#include "HyperLinkStatic.h"
#include "SpeciesPicture.h"
#include "Settings.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

// Behind each count on the species picture: a pale yellow, as the total line's.
const QColor kCountBacking(255, 255, 239);

// The total line under the grid: blue text on a pale yellow text background; the rest of
// the control shows the dialog's own background.
class TotalLabel : public QWidget {
public:
    explicit TotalLabel(QWidget* parent) : QWidget(parent) {}

    void setText(const QString& text)
    {
        if (text == text_)
            return;
        text_ = text;
        update();
    }
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setFont(font());
        p.setBackgroundMode(Qt::OpaqueMode);
        p.setBackground(QColor(255, 255, 239));
        p.setPen(QColor(0, 0, 255));
        p.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
    }

private:
    QString text_;
};

namespace {

constexpr DialogFontKind kTemplateFont = DialogFontKind::MsSansSerif8;
const char* const kCaption = "Fish Settings - Varlen Fish 3D Screensaver 1.0";
const char* const kMakerAddress = kMakerWebAddress;

QRect templateRect(int x, int y, int w, int h)
{
    return dialogRect(kTemplateFont, x, y, w, h);
}

} // namespace

FishSettingsDialog::FishSettingsDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    setFont(dialogFont(kTemplateFont));
    setFixedSize(dialogSize(kTemplateFont, 334, 345));
    setModal(true);

    // Controls in template order (the first one takes the focus).
    add_ = new FlatButton(IdAdd, QStringLiteral("&Add"), this);
    add_->setGeometry(templateRect(121, 324, 27, 15));
    delete_ = new FlatButton(IdDelete, QStringLiteral("&Delete"), this);
    delete_->setGeometry(templateRect(150, 324, 32, 15));
    random_ = new FlatButton(IdRandom, QStringLiteral("&Random"), this);
    random_->setGeometry(templateRect(184, 324, 31, 15));
    clear_ = new FlatButton(IdClear, QStringLiteral("&Clear"), this);
    clear_->setGeometry(templateRect(217, 324, 27, 15));

    link_ = new HyperLinkStatic(IdLink, QString::fromLatin1(kMakerAddress), this);
    link_->setGeometry(templateRect(9, 332, 113, 12));

    total_ = new TotalLabel(this);
    total_->setGeometry(templateRect(252, 332, 81, 8));
    total_->setText(QStringLiteral("Total:25  (Max:25)"));

    ok_ = new FlatButton(IdOk, QStringLiteral("OK"), this);
    ok_->setGeometry(templateRect(211, 209, 47, 21));
    ok_->hide();
    cancel_ = new FlatButton(IdCancel, QStringLiteral("Cancel"), this);
    cancel_->setGeometry(templateRect(283, 209, 47, 21));
    cancel_->hide();

    connect(add_, &QPushButton::clicked, this, &FishSettingsDialog::addOne);
    connect(delete_, &QPushButton::clicked, this, &FishSettingsDialog::removeOne);
    connect(random_, &QPushButton::clicked, this, &FishSettingsDialog::randomFill);
    connect(clear_, &QPushButton::clicked, this, &FishSettingsDialog::clearAll);
    connect(ok_, &QPushButton::clicked, this, &FishSettingsDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &FishSettingsDialog::reject);

    // The letter keys work whichever control has the focus.
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);

    picture_ = speciesPicture();

    // Opening: every count is 10 until the file's values replace it (a missing key reads
    // as 0), then the timer and the total.
    int counts[FishCountGrid::kSpecies];
    readFishCounts(counts);
    grid_.load(counts);

    connect(&saveTimer_, &QTimer::timeout, this, &FishSettingsDialog::save);
    saveTimer_.start(kSaveIntervalMs);
    updateTotalLabel();
}

FishSettingsDialog::~FishSettingsDialog() = default;

FlatButton* FishSettingsDialog::button(int id) const
{
    switch (id) {
    case IdAdd: return add_;
    case IdDelete: return delete_;
    case IdRandom: return random_;
    case IdClear: return clear_;
    case IdOk: return ok_;
    case IdCancel: return cancel_;
    default: return nullptr;
    }
}

QString FishSettingsDialog::totalText() const
{
    return total_->text();
}

void FishSettingsDialog::save()
{
    // Writes "Fish0".."Fish24" and copies the counts (each at most 25) into the record.
    saveFishCounts(grid_.counts().data());
}

void FishSettingsDialog::accept()
{
    if (closing_)
        return;
    closing_ = true;
    saveTimer_.stop();
    save();
    QDialog::accept();
}

void FishSettingsDialog::reject()
{
    if (closing_)
        return;
    closing_ = true;
    saveTimer_.stop();
    QDialog::reject();
}

void FishSettingsDialog::closeEvent(QCloseEvent* event)
{
    // The close box closes with OK.
    if (!closing_)
        accept();
    event->accept();
}

void FishSettingsDialog::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture_);

    // Black counts on a pale backing just around the digits, so that they read on the
    // dark water of the lower rows as well as on the light ones.
    p.setFont(dialogFont(DialogFontKind::System));
    const QFontMetrics metrics(p.font());
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    for (int i = 0; i < FishCountGrid::kSpecies; ++i) {
        const QRect cell(FishCountGrid::numberPosition(i), QSize(FishCountGrid::kCellWidth, FishCountGrid::kCellHeight));
        const QString number = QString::number(grid_.count(i));
        const QRect digits = metrics.boundingRect(cell, flags, number);
        p.fillRect(digits.adjusted(-2, 0, 2, 0) & FishCountGrid::cellBounds(i), kCountBacking);
        p.setPen(Qt::black);
        p.drawText(cell, flags, number);
    }

    if (grid_.hasSelectedCell()) {
        // The selected cell: an ellipse filling the cell that inverts what is under it.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(FishCountGrid::cellBounds(grid_.selection()));
    }
}

void FishSettingsDialog::repaintAreas(const std::vector<QRect>& areas)
{
    for (const QRect& r : areas)
        update(r);
}

void FishSettingsDialog::updateTotalLabel()
{
    total_->setText(grid_.totalText());
}

void FishSettingsDialog::addOne()
{
    repaintAreas(grid_.addOne());
    updateTotalLabel();
}

void FishSettingsDialog::removeOne()
{
    repaintAreas(grid_.removeOne());
    updateTotalLabel();
}

void FishSettingsDialog::randomFill()
{
    repaintAreas(grid_.randomFill());
    updateTotalLabel();
}

void FishSettingsDialog::clearAll()
{
    repaintAreas(grid_.clear());
    updateTotalLabel();
}

void FishSettingsDialog::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        repaintAreas(grid_.select(event->position().toPoint()));
    QDialog::mousePressEvent(event);
}

void FishSettingsDialog::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The first press of the double-click has selected the cell already.
    if (event->button() == Qt::LeftButton)
        addOne();
    else if (event->button() == Qt::RightButton)
        removeOne();
}

bool FishSettingsDialog::handleLetterKey(int key)
{
    switch (key) {
    case Qt::Key_A:
        addOne();
        return true;
    case Qt::Key_D:
        removeOne();
        return true;
    case Qt::Key_R:
        randomFill();
        return true;
    case Qt::Key_C:
        clearAll();
        return true;
    default:
        return false;
    }
}

bool FishSettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers other = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (other == Qt::NoModifier && handleLetterKey(key->key()))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FishSettingsDialog::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers other = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (other == Qt::NoModifier && handleLetterKey(event->key()))
        return;
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && other == Qt::NoModifier) {
        // Reaches the dialog only when no push button took it: the OK command.
        accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

int runFishSettingsDialog(QWidget* parent)
{
    FishSettingsDialog dialog(parent);
    const int result = dialog.exec();
    returnFocusToParent(&dialog);
    return result;
}
