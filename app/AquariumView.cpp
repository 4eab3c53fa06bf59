#include "AquariumView.h"

#include "BackdropPass.h"

#include "AssetStore.h"
#include "BuiltInTune.h"
#include "CustomBackgroundDialog.h"
#include "CustomMusicDialog.h"
#include "EnvironmentPasses.h"
#include "FishPasses.h"
#include "FishSettingsDialog.h"
#include "MusicHook.h"
#include "PopupMenu.h"
#include "ProfileFile.h"
#include "RenderTarget.h"
#include "ResourceImages.h"
#include "Settings.h"
#include "SingleInstanceLock.h"
#include "TextureLoader.h"

#include <GL/glu.h>

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QOpenGLContext>
#include <QScreen>
#include <QTimerEvent>
#include <QWidget>

#include <algorithm>
#include <optional>
#include <cstdio>
#include <cstdlib>
#include <malloc.h>
#include <unistd.h>

namespace {

// The deepest depth buffer on offer: ask for 32 bits, then settle for less.
QSurfaceFormat viewFormat(int depthBits)
{
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    f.setRedBufferSize(8);
    f.setGreenBufferSize(8);
    f.setBlueBufferSize(8);
    f.setAlphaBufferSize(0);
    f.setDepthBufferSize(depthBits);
    f.setStencilBufferSize(0);
    f.setSwapInterval(0); // the 10 ms tick, not the display, paces frames
    return f;
}

// Every frame the software renderer allocates and frees the same few megabytes at the
// top of the heap. By default the C library hands that space back to the system after
// each frame and takes it again in the next, faulting its pages in anew: a good part of
// this thread's time per frame. It is kept while it stays under this size.
constexpr int kHeapTopKept = 16 << 20;

} // namespace

AquariumView::AquariumView(QWindow *parent) : QWindow(parent)
{
    static const bool heapTopKept = mallopt(M_TRIM_THRESHOLD, kHeapTopKept) == 1;
    (void)heapTopKept;
    setSurfaceType(QSurface::OpenGLSurface);
    setFormat(viewFormat(32));
    wallClock.start();
}

AquariumView::~AquariumView() { onDestroy(); }

void AquariumView::onCreate(QWidget *parentForDialogs)
{
    dialogParent = parentForDialogs;
    initialiseScene();
    setFramesRunning(true);
}

void AquariumView::setRenderTarget(std::unique_ptr<RenderTarget> target)
{
    renderTarget = std::move(target);
    exposed = renderTarget != nullptr;
}

bool AquariumView::makeGlCurrent()
{
    if (renderTarget)
        return renderTarget->makeCurrent();
    return clientDC && clientDC->makeCurrent(this);
}

void AquariumView::swapGlBuffers()
{
    if (renderTarget)
        renderTarget->swapBuffers();
    else if (clientDC)
        clientDC->swapBuffers(this);
}

void AquariumView::setFramesRunning(bool running)
{
    framesRunning = running;
    updateFrameTimer();
}

void AquariumView::setHostMapped(bool mapped)
{
    hostMapped = mapped;
    updateFrameTimer();
}

void AquariumView::updateFrameTimer()
{
    // Nothing is drawn, and no CPU is spent, while nobody can see the view.
    const bool run = framesRunning && hostMapped && exposed;
    if (run && !frameTimer.isActive()) {
        frameTimer.start(std::max(0, runOptions.tickMs), Qt::PreciseTimer, this);
        stepClock.restart(wallClock.nsecsElapsed()); // a pause is not made up
    } else if (!run)
        frameTimer.stop();
}

bool AquariumView::setPixelFormat()
{
    if (renderTarget) {
        if (renderTarget->makeCurrent())
            return true;
        renderTarget.reset();
        reportMessage("SetPixelFormat failed", "VarlenScr");
        return false;
    }
    create();
    auto *context = new QOpenGLContext(this);
    bool created = false;
    for (int depth : {32, 24, 16}) {
        context->setFormat(viewFormat(depth));
        if (context->create()) {
            created = true;
            break;
        }
    }
    if (!created) {
        delete context;
        reportMessage("ChoosePixelFormat failed", "VarlenScr");
        return false;
    }
    if (!context->makeCurrent(this)) {
        delete context;
        reportMessage("SetPixelFormat failed", "VarlenScr");
        return false;
    }
    clientDC = context;
    return true;
}

void AquariumView::setFixedGlState()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0.5f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

    // Light 1 is given once with the identity model-view, so it stays fixed to the eye.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat ambient[] = {1, 1, 1, 1};
    const GLfloat diffuse[] = {1, 1, 1, 1};
    const GLfloat position[] = {1000, -1000, 1000, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT1, GL_POSITION, position);
    glEnable(GL_LIGHT1);
    // Light 1 is the only light: without OpenGL's default global ambient, "LIGHTQIANGDU"
    // 100 really leaves the lit parts black.
    const GLfloat noAmbient[] = {0, 0, 0, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, noAmbient);

    glEnable(GL_COLOR_MATERIAL);
    glColor4f(1, 1, 1, 1);
    glEnable(GL_BLEND);
}

void AquariumView::measureView()
{
    const qreal ratio = devicePixelRatio();
    const QSize pixels = renderTarget ? renderTarget->pixelSize() : QSize(qRound(width() * ratio), qRound(height() * ratio));
    screenWidth = std::max(1, pixels.width());
    screenHeight = std::max(1, pixels.height());
    const TankExtents t = tankExtentsForScreen(screenWidth, screenHeight);
    tankXMin = t.xMin;
    tankXMax = t.xMax;
    tankYMax = t.yMax;
    tankYMin = t.yMin;
    tankZBack = t.zBack;
}

void AquariumView::initialiseScene()
{
    if (!setPixelFormat())
        return;
    text.createTextFont();
    setFixedGlState();
    const std::string directory = assetDirectory();
    measureView();

    // The surface is laid out and drawn once into the back buffer; the first frame
    // clears it.
    surface.updateControlGrid(tankXMin, tankXMax, settings.background);
    surface.drawSurface();

    if (!temporaryDirectoryFound()) {
        reportMessage("Error Find TempPath.", "ERROR");
        return;
    }

    std::optional<ScopedFileLock> assetTurn(std::in_place, kAssetFilesLock);
    loadEmbeddedTexture(directory, 154, "BackGround0", loadMipmappedTexture, &backgroundTexture);
    for (int i = 0; i < kSpeciesCount; ++i)
        loadEmbeddedTexture(directory, 10000 + i, "fish" + std::to_string(i), loadTexture,
                            &speciesTextures[i]);

    // The settings come before the bubbles: "QIPAONUM" shapes their start-up.
    if (runOptions.settingsReadOnly) {
        ProfileFile file(settingsFilePath());
        loadSettings(file, settings); // completed in memory only
    } else {
        loadSettings();
    }

    setUpBubbleEmitters(bubbleEmitters, bubbleEmitterPositions, tankYMin, tankZBack,
                        settings.qiPaoNum, directory);
    assetTurn.reset(); // every asset file is loaded and gone
    placeFish(fish, tankYMax, tankYMin);
    layOutPickRails(pickRailsX, pickRailsY, tankXMin, tankYMax, tankYMin);
    for (FoodPellet &pellet : pellets)
        pellet.setUp();

    // Fog acts on the first frame only, up to its bubble pass, which turns it off.
    glFogi(GL_FOG_MODE, GL_EXP);
    const GLfloat fogColour[] = {1, 1, 1, 1};
    glFogfv(GL_FOG_COLOR, fogColour);
    glFogf(GL_FOG_DENSITY, 0.5f);
    glHint(GL_FOG_HINT, GL_DONT_CARE);
    glFogf(GL_FOG_START, -10);
    glFogf(GL_FOG_END, 100);
    glEnable(GL_FOG);

    // Both dialogs exist from the start, hidden: the music dialog may start the own
    // playlist and sets what the music hook reads.
    // Without sound there is no music dialog: nothing can start the own playlist.
    if (runOptions.sound) {
        musicDialog = new CustomMusicDialog(dialogParent);
        musicDialog->hide();
    }
    backgroundDialog = new CustomBackgroundDialog(dialogParent, [this] { makeGlCurrent(); });
    backgroundDialog->hide();
}

void AquariumView::step()
{
    stepScene(*this, settings);
    ++stepCount;
    ++fpsSteps;
}

void AquariumView::drawFrame()
{
    step();
    passDone("step");
    renderFrame();
}

void AquariumView::renderFrame()
{
    ++frameCount;
    if (!makeGlCurrent())
        return; // no context: the frame has nothing to draw on
    const int w = screenWidth, h = screenHeight;
    // The pointer is kept in the view's own coordinates; the picking passes work in
    // device pixels, like the viewport.
    const qreal ratio = devicePixelRatio();
    const int mouseX = qRound(pointer.mouseX * ratio), mouseY = qRound(pointer.mouseY * ratio);

    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (w > h)
        glFrustum(-0.4 * w / h, 0.4 * w / h, -0.4, 0.4, 1, 1000);
    else
        glFrustum(-0.4, 0.4, -0.4 * h / w, 0.4 * h / w, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, cameraZOffset - 5, 0, 0, -500, 0, 1, 0);
    glViewport(0, 0, w, h);
    // Where the picture surface will cover the whole view, the colour clear and the
    // backdrop behind it cannot show anywhere: only the depth is cleared and the backdrop
    // only steps its colours. They are the two largest layers after the surface itself.
    const bool surfaceHidesBackdrop =
        surfaceWillCoverViewport(surface, tankXMin, tankXMax, settings);
    glClear(surfaceHidesBackdrop ? GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    passDone("clear");

    text.drawHelpText(helpTextVisible, runOptions.keyHints);
    passDone("help text");

    const float g = (100 - settings.lightQiangDu) * 0.01f;
    const GLfloat light[] = {g, g, g, 1};
    glLightfv(GL_LIGHT1, GL_AMBIENT, light);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, light);
    glEnable(GL_LIGHTING);

    drawBackdrop(*this, settings, !surfaceHidesBackdrop);
    passDone("backdrop");

    drawFishPass(fish, settings.speciesCounts, speciesTextures);
    passDone("fish");

    const unsigned picture =
        backgroundDialog ? backgroundDialog->surfaceTexture(backgroundTexture) : backgroundTexture;
    drawBackgroundPass(surface, picture, tankXMin, tankXMax);
    passDone("surface");
    drawBubblePass(bubbleEmitters, bubbleEmitterPositions);
    passDone("bubbles");

    glDisable(GL_LIGHTING);
    drawPellets(pellets);
    passDone("pellets");

    if (pointer.interactionMode == kCommandFeedFish) {
        glColor4f(1, 1, 1, 0);
        runFeedPicking(feedState, pickRailsX, pickRailsY, tankXMin, tankXMax, tankYMin, tankYMax,
                       pointer.interactionMode, mouseX, mouseY, pointer.feedClick,
                       pellets);
        glColor4f(1, 1, 1, 0);
    }
    runFishPicking(fish, settings.speciesCounts, pointer.interactionMode, mouseX, mouseY,
                   pointer.pickPending);
    passDone("picking");

    if (runOptions.showFps)
        drawFpsReadout();
    if (afterFrameHook)
        afterFrameHook();
    // The whole frame goes to the renderer at once. A software renderer's threads would
    // otherwise start on part of it while this thread still works out the rest, and on
    // two cores the three then take turns: each frame cost more and took longer.
    glFinish();
    swapGlBuffers();
}

void AquariumView::drawFpsReadout()
{
    // Frames drawn and steps run over the last whole second, in pixel units at the
    // bottom left.
    ++fpsFrames;
    if (!fpsClock.isValid()) {
        fpsClock.start();
        fpsFrames = fpsSteps = 0;
    } else if (fpsClock.elapsed() >= 1000) {
        const double ms = double(fpsClock.restart());
        fpsShown = fpsFrames * 1000.0 / ms;
        stepsPerSecondShown = fpsSteps * 1000.0 / ms;
        fpsFrames = fpsSteps = 0;
    }
    const double em = 16 * devicePixelRatio();
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glColor4f(1, 1, 0, 1);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, screenWidth, 0, screenHeight, -10 * em, 10 * em);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslated(em / 2, em / 2, 0);
    glScaled(em, em, em);
    text.printText("%.0f fps %.0f steps/s", fpsShown, stepsPerSecondShown);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}

void AquariumView::passDone(const char *pass)
{
    if (afterPassHook)
        afterPassHook(pass);
}

void AquariumView::onTimer()
{
    ++tickCount;
    for (int n = stepClock.stepsFor(wallClock.nsecsElapsed()); n > 0; --n)
        step();
    renderFrame();
    if (!runOptions.sound)
        return;
    if (!tune)
        tune = new BuiltInTune(this);
    runMusicHook(*tune);
}

void AquariumView::timerEvent(QTimerEvent *event)
{
    // Qt coalesces an overdue timer into one event, so a slow frame never leaves a
    // backlog of ticks behind it.
    if (event->timerId() == frameTimer.timerId())
        onTimer();
    else
        QWindow::timerEvent(event);
}

void AquariumView::exposeEvent(QExposeEvent *)
{
    exposed = isExposed();
    updateFrameTimer();
    if (exposed && hostMapped) {
        ++exposeCount;
        renderFrame(); // the scene as it is: an exposure is no step
    }
}

void AquariumView::resizeEvent(QResizeEvent *event)
{
    QWindow::resizeEvent(event);
    sizeChanged();
}

void AquariumView::sizeChanged()
{
    if (!makeGlCurrent())
        return;
    // The next frame sets projection and viewport from the new size; the feed combs
    // span the tank's new width at once.
    const float oldXMin = tankXMin;
    measureView();
    if (tankXMin != oldXMin)
        layOutPickRails(pickRailsX, pickRailsY, tankXMin, tankYMax, tankYMin);
}

void AquariumView::keyPressEvent(QKeyEvent *event)
{
    // While the popup menu is open its keys are its own. Under X11 the menu has grabbed
    // the keyboard; a Wayland compositor may leave the keyboard focus on the view.
    if (QWidget *popup = QApplication::activePopupWidget()) {
        QCoreApplication::sendEvent(popup->focusWidget() ? popup->focusWidget() : popup, event);
        return;
    }
    if (event->key() == Qt::Key_F1) {
        helpTextVisible = !helpTextVisible;
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        // Ends the process on the spot: nothing is saved, nothing is torn down.
        std::fflush(nullptr);
        removeEmptyRunFolders();
        ::_exit(0);
    }
    QWindow::keyPressEvent(event);
}

void AquariumView::mousePressEvent(QMouseEvent *event)
{
    const QPoint p = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        // The second press of a double click only updates the cursor (as the double
        // click itself does): it must not feed, touch or zoom a second time.
        if (!isSecondPressOfDoubleClick(*event))
            pointer.leftButtonDown(p.x(), p.y());
        updateCursor();
    } else if (event->button() == Qt::RightButton) {
        openPopupMenu(event->globalPosition().toPoint());
    }
}

void AquariumView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        pointer.leftButtonUp();
        updateCursor();
    }
}

void AquariumView::mouseMoveEvent(QMouseEvent *event)
{
    updateCursor();
    const QPoint p = event->position().toPoint();
    pointer.mouseMove(p.x(), p.y());
}

void AquariumView::mouseDoubleClickEvent(QMouseEvent *) { updateCursor(); }

bool AquariumView::isSecondPressOfDoubleClick(const QMouseEvent &event)
{
    const QStyleHints *hints = QGuiApplication::styleHints();
    const QPoint at = event.globalPosition().toPoint();
    const bool second = lastLeftPressCounts
        && event.timestamp() - lastLeftPressMs < quint64(hints->mouseDoubleClickInterval())
        && (at - lastLeftPressAt).manhattanLength() <= hints->mouseDoubleClickDistance();
    lastLeftPressMs = event.timestamp();
    lastLeftPressAt = at;
    lastLeftPressCounts = !second;
    return second;
}

void AquariumView::updateCursor()
{
    const int id = cursorIdFor(pointer.interactionMode, pointer.pickPending);
    if (id == 0)
        unsetCursor();
    else
        setCursor(resourceCursor(id));
}

void AquariumView::openPopupMenu(const QPoint &globalPos)
{
    const int id = execPopupMenu(dialogParent, globalPos);
    if (id != 0)
        onCommand(id);
}

void AquariumView::onCommand(int id)
{
    pointer.interactionMode = id;
    switch (id) {
    case kCommandAddDeleteFish:
        runFishSettingsDialog(dialogParent);
        break;
    case kCommandCustomMusic:
        if (musicDialog)
            musicDialog->showCentred();
        break;
    case kCommandCustomBackground:
        if (backgroundDialog)
            backgroundDialog->showCentred();
        break;
    case kCommandExit:
        onDestroy();
        std::fflush(nullptr);
        removeEmptyRunFolders();
        ::_exit(0);
    default:
        break;
    }
}

void AquariumView::onDestroy()
{
    if (renderTarget) {
        renderTarget->doneCurrent();
        renderTarget.reset();
    }
    if (clientDC) {
        clientDC->doneCurrent();
        delete clientDC;
        clientDC = nullptr;
    }
    delete musicDialog;
    musicDialog = nullptr;
    delete backgroundDialog;
    backgroundDialog = nullptr;
    frameTimer.stop();
}
