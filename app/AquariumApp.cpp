#include "AquariumApp.h"

#include "AppMessages.h"
#include "MainFrame.h"
#include "SingleInstanceLock.h"

#include <QCoreApplication>
#include <QMessageBox>

#include <cstdlib>

AquariumApp::AquariumApp() = default;
AquariumApp::~AquariumApp() = default;

bool AquariumApp::initInstance()
{
    if (!SingleInstanceLock::acquire("FirstMyProject_Zuvo"))
        std::exit(0);
    if (!SingleInstanceLock::acquire("VarlenScr"))
        return false;

    // Where the application's own profile values live (read-only here).
    QCoreApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    QCoreApplication::setApplicationName(QStringLiteral("VarlenScr"));

    setMessageSink([](const std::string &text, const std::string &caption) {
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
