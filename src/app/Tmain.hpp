#pragma once

#include <QFrame>
#include <QMainWindow>
#include <QPushButton>
#include <QStringList>
#include <array>
#include <memory>
#include <vector>

#include "app/HelpWindow.hpp"
#include "app/Services.hpp"
#include "app/Toptions.hpp"
#include "app/Tversion.hpp"
#include "board/Board.hpp"
#include "board/GameView.hpp"
#include "records/Settings.hpp"
#include "ui/BackgroundImage.hpp"
#include "ui/CellImage.hpp"
#include "ui/MainMenu.hpp"
#include "ui/StatusPanels.hpp"
#include "ui/Tiles.hpp"

namespace tilvaren {

// The main window: the 60 cell pairs, the menus and the status bar. It holds
// the game's state and runs every command as a fixed sequence of engine and
// refresh steps; the work itself is done by the engine.
class Tmain : public QMainWindow, public GameView, public ErrorSink {
    Q_OBJECT
public:
    explicit Tmain(const Services& services, QWidget* parent = nullptr);

    // State, for the dialogs and for tests.
    Board& GameBoard() { return board_; }
    const Settings& CurrentSettings() const { return settings_; }
    const std::string& ProgramDir() const { return services_.programDir; }
    const MainMenu& Menus() const { return *menu_; }
    StatusPanels& Status() { return *status_; }
    QPushButton* Button(int n) const { return buttons_[static_cast<std::size_t>(n)]; }
    CellImage* Image(int n) const { return images_[static_cast<std::size_t>(n)]; }
    QWidget* BoardArea() const { return bevel_; }
    const TileStore& Tiles() const { return tiles_; }
    // The cell buttons in keyboard tab order.
    const std::vector<int>& TabOrder() const { return tabOrder_; }

    // Clicks, as the cells' controls deliver them.
    void ButtonClick(int n);
    void ImageClick(int n);

    // Menu commands.
    void menuFXClick();
    void menuETClick();
    void menuEMClick();
    void menuEUClick();
    void menuERClick();
    void menuVNClick();
    void menuVBClick();
    void menuVOClick();
    void menuHCClick();
    void menuHKClick();
    void menuHVClick();
    void SizeCommand(int frameSize);
    void FrameCommand(int frameY);
    void FormDblClick();

    // Layout and refreshes.
    void HideCells();
    void SizeCells();
    void LayoutWindow();
    void DrawBoard();
    void StatusBar00Set();
    void MenuFrameSet() override;
    void MenuSizeSet();
    void MenuEditSet() override;
    void MenuUCaptionSet();
    void MenuUItemSet();
    void ApplyDialogValues();

    Toptions& Options() { return *options_; }
    Tversion& About() { return *about_; }
    Help& HelpViewer() { return *help_; }

    // GameView.
    void ApplyCell(int n, const CellTarget& target) override;
    void PlayClickSound() override;
    void SetTabToBestCell(int n) override;
    void StatusBarPiecesSet() override;
    void ShowCongratulations() override;
    void SolutionAppend() override;

    // ErrorSink: internal errors as plain message boxes.
    void InternalError(const std::string& text) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void ConnectCommands();
    void FormCreate();
    // Messages for the player found during start-up, shown once the window is up.
    void ShowStartupMessages();
    // Saves the settings unless the file was found unreadable at start-up.
    FileResult SaveSettingsIfReadable();

    Services services_;
    Board board_;
    Settings settings_;
    TileStore tiles_;
    MainMenu* menu_ = nullptr;
    StatusPanels* status_ = nullptr;
    QFrame* bevel_ = nullptr;
    BackgroundImage* image1_ = nullptr;
    std::array<QPushButton*, kCellCount> buttons_{};
    std::array<CellImage*, kCellCount> images_{};
    std::vector<int> tabOrder_;
    QStringList startupMessages_;
    Toptions* options_ = nullptr;
    Tversion* about_ = nullptr;
    std::unique_ptr<HelpWindow> ownHelp_;
    Help* help_ = nullptr;
    std::unique_ptr<UrlOpener> ownOpener_;
    bool shownOnce_ = false;
    bool settingsUnreadable_ = false;
};

}  // namespace tilvaren
