#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/Collection.hpp"

namespace tilvaren {

// A frame's board drawn as the game draws its cells: each cell the outline
// tile of its code, `cell` pixels on a side where a pixel is `ratio` of the
// screen's, drawn in the screen's own pixels so that outlines stay one
// pixel wide and sharp (the image carries the ratio).
QImage CollectionBoardImage(const std::array<int, 60>& tiles, int frameY, int cell, qreal ratio = 1.0);

// The chosen solution, large: drawn at the largest cell up to the game's
// medium size that its room allows, in the screen's own pixels; a line of
// words instead while none is chosen.
class LargeBoard : public QWidget {
    Q_OBJECT
public:
    LargeBoard(int frameY, QWidget* parent);

    // The board of these tiles; none: the words instead.
    void Show(const std::array<int, 60>* tiles, const QString& words);
    // The edge of a cell as drawn now.
    int Cell() const;
    bool HasBoard() const { return hasBoard_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int frameY_;
    bool hasBoard_ = false;
    std::array<int, 60> tiles_{};
    QString words_;
};

// One page's found solutions for a list view: one row per entry, in the
// page's order. Display role: the caption; accessible text role: the entry's name.
class CollectionModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Lists `page` (kept alive by `owner`).
    void SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page);
    // The entry of a row; none for a row outside the list.
    const CollectionEntry* Entry(int row) const;
    // The row of the entry with this number, -1 when the page has none.
    int RowOfNumber(int number) const;
    int FrameY() const { return page_ != nullptr ? page_->frameY : 0; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::shared_ptr<const Collection> owner_;
    const CollectionPage* page_ = nullptr;
};

// What the player does in the collection window, each handed on at once: a
// page's order or chosen solution, its 挑戦, closing the window, F1.
struct CollectionActions {
    std::function<void(int frameY, CollectionOrder order)> sort;
    std::function<void(int frameY, int number)> choose;
    std::function<void(int frameY)> challenge;
    std::function<void()> closed;
    std::function<void()> help;
};

// One frame's page: the header and progress, the counts, a row of controls
// (the sort order, 挑戦 and its line), the grid of small boards and the
// chosen one, large. It shows what it is given and hands on what the player does.
class CollectionPageView : public QWidget {
    Q_OBJECT
public:
    CollectionPageView(int frameY, const CollectionActions& actions, QWidget* parent);

    // Shows `page` (kept alive by `owner`) in its order, its chosen solution
    // chosen; none clears the page.
    void SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page);
    // The solution of this number large, with its details; 0 none.
    void ShowChosen(int number);
    // The line beside 挑戦; the button waits while a search is under way.
    void SetChallengeLine(const QString& text, bool searching);
    int FrameY() const { return frameY_; }
    QListView* Grid() const { return grid_; }
    QLabel* Header() const { return header_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void Retranslate();

    int frameY_;
    std::shared_ptr<const Collection> owner_;
    const CollectionPage* page_ = nullptr;
    QLabel* header_;
    QProgressBar* progress_;
    QLabel* counts_;
    QLabel* orderLabel_;
    QComboBox* order_;
    QPushButton* challenge_;
    QLabel* challengeLine_;
    QListView* grid_;
    CollectionModel* model_;
    LargeBoard* large_;
    QLabel* details_;
};

// The collection window: every solution the player has found, one page per
// frame. Created once and reused; it shows what it is given.
class CollectionWindow : public QWidget {
    Q_OBJECT
public:
    CollectionWindow(CollectionActions actions, QWidget* parent);

    // Shows the window, where it was put, on the page of this frame.
    void ShowOn(int frameY);
    // Shows the collection (kept alive while shown): while reading only the
    // line over the pages changes.
    void Show(const std::shared_ptr<const Collection>& collection);

    // The page of a frame height, none for another height.
    CollectionPageView* Page(int frameY) const;
    // The line saying the register is being read or cannot be read.
    QLabel* Status() const { return status_; }

signals:
    // A read's result is on screen.
    void collectionShown();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    CollectionActions actions_;
    std::shared_ptr<const Collection> shown_;  // what is on screen, worded again for a new language
    QLabel* status_;
    QTabWidget* tabs_;
    std::vector<CollectionPageView*> pages_;
};

}  // namespace tilvaren
