#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QTabWidget>
#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/Collection.hpp"

namespace tilvaren {

// A frame's board drawn as the game draws its cells: each cell the outline
// tile of its code, `cell` pixels on a side.
QImage CollectionBoardImage(const std::array<int, 60>& tiles, int frameY, int cell);

// One page's found solutions for a list view: one row per entry in the order
// chosen. Display role: the caption; accessible text role: the entry's name.
class CollectionModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Lists `page` (kept alive by `owner`) in `order`.
    void SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page, CollectionOrder order);
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
    std::vector<const CollectionEntry*> rows_;
};

// One frame's page: the header and progress, the counts, a row of controls
// (the sort order first), the grid of small boards and the one chosen, large.
class CollectionPageView : public QWidget {
    Q_OBJECT
public:
    CollectionPageView(int frameY, QWidget* parent);

    // Shows `page` (kept alive by `owner`); none clears the page. The chosen
    // solution stays chosen when the new page still has it.
    void SetPage(std::shared_ptr<const Collection> owner, const CollectionPage* page);
    int FrameY() const { return frameY_; }
    // The row under the counts where the page's controls stand; a control
    // added here is part of the page's keyboard order.
    QHBoxLayout* ControlRow() const { return controls_; }
    QListView* Grid() const { return grid_; }
    QLabel* Header() const { return header_; }

private:
    void Resort();
    void ShowChosen();

    int frameY_;
    std::shared_ptr<const Collection> owner_;
    const CollectionPage* page_ = nullptr;
    QLabel* header_;
    QProgressBar* progress_;
    QLabel* counts_;
    QHBoxLayout* controls_;
    QComboBox* order_;
    QListView* grid_;
    CollectionModel* model_;
    QLabel* large_;
    QLabel* details_;
};

// The collection window: every solution the player has found, one page per
// frame. Created once and reused; it reads the register away from the
// window's thread each time it is shown and each time the register changes
// while it is open, and a read overtaken by a newer one is dropped.
class CollectionWindow : public QWidget {
    Q_OBJECT
public:
    using Shared = std::shared_ptr<const Collection>;
    // Runs the first function away from the window's thread and hands its
    // result to the second back on it; hands nothing once the window is gone.
    using Away =
        std::function<void(QObject* window, std::function<Shared()> work, std::function<void(const Shared&)> done)>;

    // Reads the register at `registerPath` through `away`; `help` opens the
    // window's help topic.
    CollectionWindow(std::string registerPath, Away away, std::function<void()> help, QWidget* parent);
    ~CollectionWindow() override;

    // Shows the window over its parent on the page of this frame and reads the register.
    void ShowOn(int frameY);
    // The register has changed: read again if the window is open.
    void RegisterChanged();

    // The page of a frame height, none for another height.
    CollectionPageView* Page(int frameY) const;
    // The line saying the register is being read or cannot be read.
    QLabel* Status() const { return status_; }

signals:
    // A read's result is on screen.
    void collectionShown();

private:
    void Read();
    void Apply(const std::shared_ptr<const Collection>& collection);

    std::string registerPath_;
    Away away_;
    QLabel* status_;
    QTabWidget* tabs_;
    std::vector<CollectionPageView*> pages_;
    // The newest read; an older one stops early and its result is dropped.
    std::shared_ptr<std::atomic<int>> generation_ = std::make_shared<std::atomic<int>>(0);
};

}  // namespace tilvaren
