#include "AquariumApp.h"

#include "AssetStore.h"
#include "MainFrame.h"
#include "ResourceImages.h"
#include "SingleInstanceLock.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>

AquariumApp::AquariumApp(int &argcRef, char **argvRef) : argc(argcRef), argv(argvRef) {}

AquariumApp::~AquariumApp()
{
    frame.reset();
    qapp.reset();
}

bool AquariumApp::initInstance()
{
    if (!SingleInstanceLock::acquire("FirstMyProject_Zuvo"))
        std::exit(0);
    if (!SingleInstanceLock::acquire("VarlenScr"))
        return false;

    if (!QApplication::instance())
        qapp = std::make_unique<QApplication>(argc, argv);
    // Where the application's own profile values live (read-only here).
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VarlenScr"));
    QApplication::setWindowIcon(applicationIcon());

    setMessageReporter([](const std::string &text, const std::string &caption) {
        QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                        QString::fromStdString(text), QMessageBox::Ok);
        box.exec();
    });

    frame = std::make_unique<CMainFrame>();
    if (!frame->onCreate()) {
        frame.reset();
        return false;
    }
    frame->setWindowState(Qt::WindowFullScreen);
    frame->show();
    frame->activateWindow();
    return true;
}

int AquariumApp::exec() { return QApplication::exec(); }
