#include "app/QtServices.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDesktopServices>
#include <QDir>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>
#include <QUrl>
#include <cerrno>
#include <optional>

#include "app/ProgramDir.hpp"

namespace tilvaren {

namespace {

// Room in a title bar besides the title: the window manager's icon and buttons.
constexpr int kTitleBarRoom = 160;
// A click sound is a fraction of a second; anything larger is not one.
constexpr off_t kSoundLimit = 4 * 1024 * 1024;

// Widens a box to show its whole title: a short text alone would make it
// narrower than the title bar needs.
void FitTitle(QMessageBox& box) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (grid == nullptr) return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + kTitleBarRoom;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// The file's bytes and identity when it is a regular file of a click sound's
// size; read through a non-blocking descriptor, so a pipe or a device never
// stops the click.
struct SoundFile {
    std::string key;
    QByteArray bytes;
};
std::optional<SoundFile> ReadSound(const std::string& path, const std::string& knownKey) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return std::nullopt;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kSoundLimit) {
        ::close(fd);
        return std::nullopt;
    }
    SoundFile sound;
    sound.key = path + '\n' + std::to_string(info.st_dev) + ':' + std::to_string(info.st_ino) + ':' +
                std::to_string(info.st_size) + ':' + std::to_string(info.st_mtim.tv_sec) + '.' +
                std::to_string(info.st_mtim.tv_nsec);
    if (sound.key == knownKey) {
        ::close(fd);
        return sound;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || sound.bytes.size() + n > kSoundLimit) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        sound.bytes.append(buffer, n);
    }
    ::close(fd);
    return sound;
}

}  // namespace

void MessageBoxDialogs::Message(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, kAppTitle, text, QMessageBox::Ok, parent_);
    FitTitle(box);
    box.exec();
}

bool MessageBoxDialogs::Ask(const QString& text) {
    QMessageBox box(QMessageBox::Question, kAppTitle, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    FitTitle(box);
    return box.exec() == QMessageBox::Yes;
}

bool MessageBoxDialogs::RunModal(QDialog& dialog) { return dialog.exec() == QDialog::Accepted; }

void DesktopOpener::Open(const QUrl& url) { QDesktopServices::openUrl(url); }

void EffectClickSound::Play(const std::string& path) {
    QUrl source;
    std::string key;
    std::unique_ptr<QTemporaryFile> copy;
    if (path.starts_with(kBuiltInDataDir)) {
        if (!QFile::exists(QString::fromStdString(path))) return;
        source = QUrl(QStringLiteral("qrc") + QString::fromStdString(path));
        key = path;
    } else {
        std::optional<SoundFile> sound = ReadSound(path, loaded_);
        if (!sound) return;
        key = std::move(sound->key);
        if (key != loaded_) {
            // The player hears the bytes checked here, from a private copy
            // that nobody can swap for a pipe before the sound is loaded.
            copy = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/tilvaren-XXXXXX.wav"));
            if (!copy->open() || copy->write(sound->bytes) != sound->bytes.size() || !copy->flush()) return;
            source = QUrl::fromLocalFile(copy->fileName());
        }
    }
    if (!effect_ || key != loaded_) {
        auto effect = std::make_unique<QSoundEffect>();
        effect->setSource(source);
        effect_ = std::move(effect);  // the old sound goes before its copy
        copy_ = std::move(copy);
        loaded_ = key;
    }
    // A sound still playing is cut off and started again.
    effect_->stop();
    effect_->play();
    ++started_;
}

}  // namespace tilvaren
