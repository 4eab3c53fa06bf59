#pragma once

#include "BackgroundSurface.h"
#include "BubbleEmitter.h"
#include "FeedPicking.h"
#include "Fish.h"
#include "FishPopulation.h"
#include "FoodPellet.h"
#include "TankExtents.h"
#include "TextOverlay.h"
#include "ViewRules.h"

#include <GL/gl.h>

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QWindow>

#include <functional>

class BuiltInTune;
class CustomBackgroundDialog;
class CustomMusicDialog;
class QOpenGLContext;
class QWidget;

// The aquarium: a GL window that owns the whole scene, draws one frame per tick (10 ms
// unless told otherwise) and turns mouse and keyboard input into the interaction mode
// and click flags. Everything it draws is sized from its own size in device pixels.
class AquariumView : public QWindow {
    Q_OBJECT
public:
    explicit AquariumView(QWindow *parent = nullptr);
    ~AquariumView() override;

    // How the view runs; set before onCreate.
    struct RunOptions {
        int tickMs = 10;           // the frame tick
        bool sound = true;         // the built-in tune and the own playlist
        bool showFps = false;      // a frames-per-second readout in the bottom left corner
        bool settingsReadOnly = false; // read VarlenSet.ini but never write it
        bool keyHints = true;      // the help text's key lines (none where no key arrives)
    };
    RunOptions runOptions;

    // Creation: scene set-up (it may stop early), then the frame timer starts in any
    // case. `dialogParent` parents the dialogs the view owns.
    void onCreate(QWidget *dialogParent);

    // Draws one frame and advances the simulation one step.
    void drawFrame();

    // A command from the popup menu: every id becomes the interaction mode first.
    void onCommand(int id);

    // Releases the GL context, the dialogs and the timer, in that order.
    void onDestroy();

    // Tick handling as the timer runs it: one frame, then the music hook.
    void onTimer();

    // Stops or restarts the frame timer (benchmarks and tests draw frames themselves).
    void setFramesRunning(bool running);

    // Whether the window the view lives in is on the screen at all (a screensaver's host
    // window is unmapped while the screen is in use). Frames are drawn by the timer only
    // while it is and while the view itself is exposed.
    void setHostMapped(bool mapped);
    bool isDrawing() const { return frameTimer.isActive(); }

    QOpenGLContext *glContext() const { return clientDC; }
    int framesDrawn() const { return frameCount; }
    int ticksHandled() const { return tickCount; }
    int exposeFrames() const { return exposeCount; }

    // Test hook: runs after every drawn frame (inside drawFrame, before the swap).
    std::function<void()> afterFrameHook;
    // Benchmark hook: runs after each pass of drawFrame with the pass's name; unset in the
    // program.
    std::function<void(const char *pass)> afterPassHook;

    // --- scene record ---
    PickRail pickRailsX[kRailsX];
    PickRail pickRailsY[kRailsY];
    BubbleEmitter bubbleEmitters[3];
    Fish fish[kFishRecords];
    FoodPellet pellets[kPelletSlots];
    bool helpTextVisible = true;
    int helpTextFrames = 0;
    // Children of the dialog parent as well: QPointer notices if it goes first.
    QPointer<CustomMusicDialog> musicDialog;
    QPointer<CustomBackgroundDialog> backgroundDialog;
    BackgroundSurface surface;
    float tankXMin = 0, tankXMax = 0, tankYMax = 0, tankYMin = 0, tankZBack = 0;
    GLuint backgroundTexture = 0;
    GLuint speciesTextures[25] = {};
    PointerState pointer; // mouseX, mouseY, pickPending, feedClick, interactionMode
    // The view's size in device pixels (its size times its device pixel ratio): the
    // tank extents, projection, viewport and picking all take it.
    int screenWidth = 1680, screenHeight = 1050;
    float cameraZOffset = -5.0f;
    EmitterOrigin bubbleEmitterPositions[3];
    FeedState feedState; // the combs' sweep and the drop point found so far
    float backdropPhase = 0;
    bool backdropPhaseStarted = false;

protected:
    void exposeEvent(QExposeEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // True when this left press is the second press of a double click, by the same
    // rules the platform uses to make the double-click event that follows it.
    bool isSecondPressOfDoubleClick(const QMouseEvent &event);
    quint64 lastLeftPressMs = 0;
    QPoint lastLeftPressAt;
    bool lastLeftPressCounts = false;  // a third quick press starts a new pair
    void initialiseScene();
    bool setPixelFormat();
    void setFixedGlState();
    void measureView();
    void updateFrameTimer();
    void drawFpsReadout();
    // Steps the backdrop's colours and leaves its GL state; draws its quads only when
    // `shown`.
    void drawBackdrop(bool shown);
    void passDone(const char *pass);
    void updateCursor();
    void openPopupMenu(const QPoint &globalPos);

    QOpenGLContext *clientDC = nullptr; // the view's GL context (device + rendering)
    QWidget *dialogParent = nullptr;
    QBasicTimer frameTimer;
    BuiltInTune *tune = nullptr;
    TextOverlay text;
    bool sceneReady = false;
    bool framesRunning = false;
    bool hostMapped = true;
    bool exposed = false;
    QElapsedTimer fpsClock;
    int fpsFrames = 0;
    double fpsShown = 0;
    int frameCount = 0;
    int tickCount = 0;
    int exposeCount = 0;
};
