#pragma once

#include "FishCountGrid.h"

#include <QDialog>
#include <QPixmap>
#include <QTimer>

class FlatButton;
class HyperLinkStatic;
class TotalLabel;

// Lets the user choose how many fish of each of the 25 species swim: a picture of the
// species in a 5 x 5 grid, the count written in each cell's corner, the selected cell
// shown inverted under an ellipse. Run it modally with exec().
//
//   click a cell            select it (a click below the grid clears the selection)
//   &Add, A, double-click   one more fish of the selected species (at most 25 in all)
//   &Delete, D, right double-click   one fish fewer
//   &Random, R              every species 0 or 1 at random, 24 fish at most
//   &Clear, C               no fish at all
//   Enter (no button focused), close box   save and close
//   Esc                     close without a further save
//
// While open it saves every 500 ms: the counts go to "Fish Number" in VarlenSet.ini and
// into the settings record, so the tank changes at its next frame.
class FishSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // Control ids of the dialog's template.
    enum ControlId {
        IdOk = 1,
        IdCancel = 2,
        IdTotal = 1001,
        IdAdd = 1007,
        IdDelete = 1008,
        IdRandom = 1009,
        IdClear = 1010,
        IdLink = 1037,
    };

    static constexpr int kSaveIntervalMs = 500;

    explicit FishSettingsDialog(QWidget* parent = nullptr);
    ~FishSettingsDialog() override;

    const FishCountGrid& grid() const { return grid_; }
    FlatButton* button(int id) const;
    HyperLinkStatic* link() const { return link_; }
    QString totalText() const;
    bool saveTimerActive() const { return saveTimer_.isActive(); }

    // Writes the counts to the settings file and the settings record.
    void save();

public slots:
    void accept() override; // save, then close with OK
    void reject() override; // close, nothing more saved

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleLetterKey(int key);
    void addOne();
    void removeOne();
    void randomFill();
    void clearAll();
    void repaintAreas(const std::vector<QRect>& areas);
    void updateTotalLabel();

    FishCountGrid grid_;
    QPixmap picture_;
    QTimer saveTimer_;
    FlatButton* add_ = nullptr;
    FlatButton* delete_ = nullptr;
    FlatButton* random_ = nullptr;
    FlatButton* clear_ = nullptr;
    FlatButton* ok_ = nullptr;
    FlatButton* cancel_ = nullptr;
    HyperLinkStatic* link_ = nullptr;
    TotalLabel* total_ = nullptr;
    bool closing_ = false;
};

// Runs the dialog modally over the given parent; returns QDialog::Accepted or Rejected.
int runFishSettingsDialog(QWidget* parent);
