#pragma once

#include "AquariumScene.h"
#include "StepClock.h"
#include "TankExtents.h"
#include "TextOverlay.h"

#include <GL/gl.h>

#include <QBasicTimer>
#include <QElapsedTimer>
#include <QPointer>
#include <QWindow>

#include <functional>
#include <memory>

class BuiltInTune;
class CustomBackgroundDialog;
class CustomMusicDialog;
class QOpenGLContext;
class QWidget;
class RenderTarget;

// The aquarium: a GL window that owns the whole scene, draws one frame per tick (10 ms
// unless told otherwise) and turns mouse and keyboard input into the interaction mode
// and click flags. Everything it draws is sized from its own size in device pixels.
// The scene steps by the clock, 100 steps a second whatever the frame rate: before each
// tick's frame it runs the steps owed since the last one.
class AquariumView : public QWindow, public AquariumScene {
    Q_OBJECT
public:
    explicit AquariumView(QWindow *parent = nullptr);
    ~AquariumView() override;

    // How the view runs; set before onCreate.
    struct RunOptions {
        int tickMs = 10;           // the frame tick (the step stays 10 ms)
        bool sound = true;         // the built-in tune and the own playlist
        bool showFps = false;      // frames and steps per second in the bottom left corner
        bool settingsReadOnly = false; // read VarlenSet.ini but never write it
        bool keyHints = true;      // the help text's key lines (none where no key arrives)
    };
    RunOptions runOptions;

    // Creation: scene set-up (it may stop early), then the frame timer starts in any
    // case. `dialogParent` parents the dialogs the view owns.
    void onCreate(QWidget *dialogParent);

    // Draws on `target` instead of a window of the view's own; set before onCreate. The
    // view then never makes a window: it takes no input and is never exposed, so frames
    // run while the host is mapped. The target's size is the view's.
    void setRenderTarget(std::unique_ptr<RenderTarget> target);
    // The view's size changed (its window's, or its target's after a resize).
    void sizeChanged();

    // One frame as at a tick met: one step of the scene, then the frame drawn. Tests and
    // benchmarks drive the view with it.
    void drawFrame();

    // Draws the scene as it is, never stepping it; a pending feed or pick click is
    // answered (food dropped, a fish touched or zoomed).
    void renderFrame();

    // A command from the popup menu: every id becomes the interaction mode first.
    void onCommand(int id);

    // Releases the GL context, the dialogs and the timer, in that order.
    void onDestroy();

    // Tick handling as the timer runs it: the steps owed by the clock, one frame, then the
    // music hook.
    void onTimer();

    // Stops or restarts the frame timer (benchmarks and tests draw frames themselves).
    void setFramesRunning(bool running);

    // Whether the window the view lives in is on the screen at all (a screensaver's host
    // window is unmapped while the screen is in use). Frames are drawn by the timer only
    // while it is and while the view itself is exposed.
    void setHostMapped(bool mapped);
    bool isDrawing() const { return frameTimer.isActive(); }

    QOpenGLContext *glContext() const { return clientDC; }
    // Whether there is anything to draw with: a context of the view's own or a target.
    bool hasGl() const { return clientDC || renderTarget; }
    int framesDrawn() const { return frameCount; }
    int ticksHandled() const { return tickCount; }
    int exposeFrames() const { return exposeCount; }
    int stepsRun() const { return stepCount; }

    // Test hook: runs after every drawn frame (inside renderFrame, before the swap).
    std::function<void()> afterFrameHook;
    // Benchmark hook: runs after drawFrame's step ("step") and after each pass of
    // renderFrame with the pass's name; unset in the program.
    std::function<void(const char *pass)> afterPassHook;

    // --- the view's part of the scene (the rest is AquariumScene's) ---
    // Children of the dialog parent as well: QPointer notices if it goes first.
    QPointer<CustomMusicDialog> musicDialog;
    QPointer<CustomBackgroundDialog> backgroundDialog;
    GLuint backgroundTexture = 0;
    GLuint speciesTextures[25] = {};
    // The view's size in device pixels (its size times its device pixel ratio): the
    // tank extents, projection, viewport and picking all take it.
    int screenWidth = 1680, screenHeight = 1050;
    float cameraZOffset = -5.0f;

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
    void step();
    void drawFpsReadout();
    void passDone(const char *pass);
    bool makeGlCurrent();
    void swapGlBuffers();
    void updateCursor();
    void openPopupMenu(const QPoint &globalPos);

    QOpenGLContext *clientDC = nullptr; // the view's GL context (device + rendering)
    std::unique_ptr<RenderTarget> renderTarget; // instead of clientDC and the window
    QWidget *dialogParent = nullptr;
    QBasicTimer frameTimer;
    BuiltInTune *tune = nullptr;
    TextOverlay text;
    bool sceneReady = false;
    bool framesRunning = false;
    bool hostMapped = true;
    bool exposed = false;
    QElapsedTimer wallClock; // monotonic, started with the view
    StepClock stepClock;
    QElapsedTimer fpsClock;
    int fpsFrames = 0, fpsSteps = 0;
    double fpsShown = 0, stepsPerSecondShown = 0;
    int stepCount = 0;
    int frameCount = 0;
    int tickCount = 0;
    int exposeCount = 0;
};
