#pragma once

#include <QFrame>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "app/HelpWindow.hpp"
#include "app/Services.hpp"
#include "app/Toptions.hpp"
#include "app/Tversion.hpp"
#include "session/Session.hpp"
#include "ui/BackgroundImage.hpp"
#include "ui/CellImage.hpp"
#include "ui/CellKeyboard.hpp"
#include "ui/HintMarks.hpp"
#include "ui/CollectionWindow.hpp"
#include "ui/MainMenu.hpp"
#include "ui/PieceStrip.hpp"
#include "ui/StatusPanels.hpp"
#include "ui/Tiles.hpp"

namespace tilvaren {

// The main window: the 60 cell pairs, the menus and the status bar. It builds
// the widgets, hands every command to the session and shows what the session
// decides; it computes nothing of the game itself.
class Tmain : public QMainWindow, private View, private ErrorSink {
    Q_OBJECT
public:
    explicit Tmain(const Services& services, QWidget* parent = nullptr);
    ~Tmain() override;

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    // Words every text the window shows in the language now in use, those
    // from the session's facts included.
    void Retranslate();
    void ConnectCommands();
    // Messages for the player found during start-up, shown once the window is up.
    void ShowStartupMessages();
    QPushButton* Button(int n) const { return buttons_[static_cast<std::size_t>(n)]; }
    CellImage* Image(int n) const { return images_[static_cast<std::size_t>(n)]; }
    // The control cell n shows: its button while empty, else its image.
    QWidget* Control(int n) const;

    // View.
    void ApplyCell(int n, const CellTarget& target) override;
    void PlayClickSound() override;
    void SetTabToBestCell(int n) override;
    void ShowCongratulations() override;
    void Tell(const Notice& notice) override;
    bool Ask(const Notice& notice) override;
    void Tell(const CongruenceAnswer& answer) override;
    void RunAway(std::function<std::function<void()>()> work) override;
    void SetLanguage(Language language) override;
    void EnableMenuItem(const std::string& name, bool enabled) override;
    void SetUCaption(bool sixByTen) override;
    void SetFramePanel(const std::string& text) override;
    void SetPiecePanel(int piece, PieceLook look) override;
    void ShowPieceSupport(const SupportPicture& picture) override;
    void SetSupportLine(const SupportLine& line) override;
    void MarkHint(const Hint& hint) override;
    // Rings the marked cells where their controls stand now.
    void PlaceHintMarks();
    void HideCells() override;
    void SizeCells(int frameSize) override;
    void LayoutWindow(const WindowLayout& layout) override;
    std::optional<PendingSettings> RunOptions(const Settings& current, bool gameStarted) override;
    void OpenCollection(int frameY, const KeptWindowPlace& kept) override;
    void ShowCollection(std::shared_ptr<const Collection> collection) override;
    void ShowChosenSolution(int frameY, int number) override;
    std::optional<ChallengeLevel> AskChallengeLevel() override;
    void ShowChallengeLine(int frameY, const ChallengeLine& line) override;
    void RaiseBoard() override;

    // ErrorSink: internal errors as plain message boxes.
    void InternalError(const MarkedText& text) override;

    Services services_;
    TileStore tiles_;
    MainMenu* menu_ = nullptr;
    StatusPanels* status_ = nullptr;
    QFrame* bevel_ = nullptr;
    BackgroundImage* image1_ = nullptr;
    PieceStrip* strip_ = nullptr;
    WordsLine* hintLine_ = nullptr;  // a hint's words while the strip is off
    bool stripOn_ = false;
    HintMarks* marks_ = nullptr;
    std::vector<int> markedCells_;  // the hint's, while it stands
    // The facts behind the texts shown, worded again when the language changes.
    Hint hint_;
    std::array<CellLabel, kCellCount> cellLabels_{};
    std::string framePanel_;
    std::array<PieceLook, kPieceCount> pieceLooks_{};
    std::optional<bool> uCaptionSixByTen_;  // none: the caption as created
    std::map<int, ChallengeLine> challengeLines_;
    std::array<QPushButton*, kCellCount> buttons_{};
    std::array<CellImage*, kCellCount> images_{};
    std::vector<int> tabOrder_;  // the cell buttons in keyboard tab order
    int clicking_ = -1;          // the cell whose button click is being run
    CellKeyboard* keys_ = nullptr;
    int rowLength_ = 10;  // cells in a row of the frame in play
    // The click sound's file, found once at start-up.
    std::string soundFile_;
    Toptions* options_ = nullptr;
    Tversion* about_ = nullptr;
    CollectionWindow* collection_ = nullptr;  // created when first asked for
    std::unique_ptr<HelpWindow> ownHelp_;
    Help* help_ = nullptr;
    std::unique_ptr<UrlOpener> ownOpener_;
    std::unique_ptr<Session> session_;
    bool shownOnce_ = false;
};

}  // namespace tilvaren
