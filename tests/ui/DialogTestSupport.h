#pragma once

// Helpers of the custom dialog tests: a private settings directory, modal prompts
// answered from the test, a GL context for the pictures' textures, generated files.

#include "GlTestContext.h"
#include "ScopedEnv.h"
#include "UiTestApp.h"
#include "WaveFile.h"

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <GL/gl.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

// Points the settings file (and the profile value store) at a fresh directory for the
// life of the object.
class ScopedConfigHome {
public:
    ScopedConfigHome() = default;
    ScopedConfigHome(const ScopedConfigHome &) = delete;
    ScopedConfigHome &operator=(const ScopedConfigHome &) = delete;

    QString path() const { return dir_.path(); }
    QString settingsFile() const { return dir_.path() + QStringLiteral("/VarlenScr/VarlenSet.ini"); }

    // Writes the settings file's text.
    void writeSettings(const QByteArray &text) const
    {
        QDir().mkpath(dir_.path() + QStringLiteral("/VarlenScr"));
        QFile file(settingsFile());
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        file.write(text);
    }

    // The "key=value" lines of one section, in file order.
    std::vector<std::pair<std::string, std::string>> section(const std::string &name) const
    {
        std::vector<std::pair<std::string, std::string>> keys;
        QFile file(settingsFile());
        bool inside = false;
        for (const QByteArray &raw : file.open(QIODevice::ReadOnly) ? file.readAll().split('\n') : QList<QByteArray>()) {
            const QByteArray line = raw.trimmed();
            const int eq = line.indexOf('=');
            if (line.startsWith('['))
                inside = line == "[" + QByteArray::fromStdString(name) + "]";
            else if (inside && eq > 0)
                keys.emplace_back(line.left(eq).toStdString(), line.mid(eq + 1).toStdString());
        }
        return keys;
    }

    // One key's value ("" when missing).
    std::string value(const std::string &section, const std::string &key) const
    {
        for (const auto &[k, v] : this->section(section))
            if (k == key)
                return v;
        return {};
    }

private:
    QTemporaryDir dir_;
    ScopedEnv configHome_{"XDG_CONFIG_HOME", dir_.path().toStdString()};
};

// Answers every modal prompt that opens while it lives: message boxes are read and
// confirmed; an Open dialog gets the next queued file (or is cancelled when none is
// queued).
class PromptAnswerer {
public:
    PromptAnswerer()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { answer(); });
        timer_.start();
    }

    void queueFile(const QString &path) { files_.push_back(path); }

    const std::vector<QString> &messages() const { return messages_; }
    const std::vector<QString> &messageTitles() const { return titles_; }
    const std::vector<QString> &fileFilters() const { return filters_; }

private:
    void answer()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (box->isVisible()) {
                messages_.push_back(box->text());
                titles_.push_back(box->windowTitle());
                box->accept();
            }
        } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
            if (dialog->isVisible()) {
                filters_.push_back(dialog->selectedNameFilter());
                if (files_.empty()) {
                    dialog->reject();
                } else {
                    // Typed into the name box, as a user does (selectFile() leaves a focused
                    // name box alone).
                    if (auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                        name->setText(files_.front());
                    else
                        dialog->selectFile(files_.front());
                    files_.erase(files_.begin());
                    static_cast<QDialog *>(dialog)->accept();
                }
            }
        }
    }

    QTimer timer_;
    std::vector<QString> files_;
    std::vector<QString> messages_;
    std::vector<QString> titles_;
    std::vector<QString> filters_;
};

// A compatibility-profile GL context on a small window of its own, as the view has.
class TestGlContext {
public:
    bool isValid() const { return context_.isValid(); }
    bool makeCurrent() { return context_.makeCurrent(); }

    // Draws `texture` over the whole viewport (untextured white when it is 0) and reads
    // the centre pixel of the back buffer.
    QColor drawAndRead(GLuint texture)
    {
        makeCurrent();
        glViewport(0, 0, 64, 64);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        if (texture != 0) {
            glEnable(GL_TEXTURE_2D);
            glBindTexture(GL_TEXTURE_2D, texture);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
        glColor3f(1, 1, 1);
        glBegin(GL_QUADS);
        glTexCoord2f(0, 0); glVertex2f(-1, -1);
        glTexCoord2f(1, 0); glVertex2f(1, -1);
        glTexCoord2f(1, 1); glVertex2f(1, 1);
        glTexCoord2f(0, 1); glVertex2f(-1, 1);
        glEnd();
        glDisable(GL_TEXTURE_2D);
        glFinish();
        unsigned char rgba[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        return QColor(rgba[0], rgba[1], rgba[2]);
    }

private:
    GlTestContext context_{64, 64, false};
};

// A one-colour PNG picture.
inline QString writePicture(const QString &path, const QColor &colour, int size = 32)
{
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

// Bytes that are no picture at all, under a picture's name.
inline QString writeJunk(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(300, '\x5a'));
    return path;
}

// A BMP header that claims 30000 x 30000 pixels with almost no pixel data.
inline QString writeOversizedBmp(const QString &path)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("BM", 2);
    out << quint32(54 + 16) << quint32(0) << quint32(54);
    out << quint32(40) << qint32(30000) << qint32(30000) << quint16(1) << quint16(24) << quint32(0)
        << quint32(0) << qint32(2835) << qint32(2835) << quint32(0) << quint32(0);
    out.writeRawData("\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 16);
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
    return path;
}

// A 16-bit mono PCM WAV file of `ms` milliseconds of a quiet tone.
inline QString writeWave(const QString &path, int ms)
{
    writeFile(path, makeSineWave(ms, 440, 1, 22050, 2000));
    return path;
}
