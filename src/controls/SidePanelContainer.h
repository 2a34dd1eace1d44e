#pragma once

#include <QHash>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QMenu;
class TPanelCaption;

// Where a control sits in its parent, as the side-panel stack arranges its children.
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// Several panels stacked on one side of the main window. Each gets a heading bar (its own
// caption, which is the panel's windowTitle(), moves into the bar) with a close menu; splitters
// lie between them; the stack hides itself when no panel is visible. A panel is named by its
// index in the list.
class TSidePanelContainer : public QWidget {
public:
    // A bar between two controls that resizes the one before it while it is dragged.
    class Splitter : public QWidget {
    public:
        explicit Splitter(QWidget* parent = nullptr);

        int Tag() const { return tag_; }
        void SetTag(int value) { tag_ = value; }
        TAlign Align() const { return align_; }
        void SetAlign(TAlign value);
        // Called during a drag with the distance moved since the last call.
        std::function<void(int delta)> OnMoved;

    protected:
        void mousePressEvent(QMouseEvent* event) override;
        void mouseMoveEvent(QMouseEvent* event) override;
        void mouseReleaseEvent(QMouseEvent* event) override;

    private:
        bool Vertical() const { return align_ == alLeft || align_ == alRight; }

        int tag_ = 0;
        TAlign align_ = alLeft;
        bool dragging_ = false;
        QPoint last_;
    };

    explicit TSidePanelContainer(QWidget* parent = nullptr);

    // Integrates a panel; a panel whose objectName is already in the list is refused with a
    // message and a silent abort.
    void AddPanel(QWidget* panel);
    void ShowPanel(int index);
    void HidePanel(int index);
    void TogglePanel(int index);
    void SetPanelVisible(int index, bool visible);
    // False for an index outside the list.
    bool PanelVisible(int index) const;

    int PanelCount() const { return static_cast<int>(panels_.size()); }
    QWidget* Panel(int index) const { return panels_.at(index).Panel; }
    TPanelCaption* PanelCaption(int index) const { return panels_.at(index).Caption; }
    QMenu* PanelMenu(int index) const { return panels_.at(index).Menu; }
    QList<Splitter*> Splitters() const { return splitters_; }
    // The alignment the stack's children were last given.
    TAlign ChildAlign(const QWidget* child) const;

    // The stack's own side of the window, which VSplitter follows.
    TAlign Align() const { return align_; }
    void SetAlign(TAlign value);
    Splitter* VSplitter() const { return vsplitter_; }
    void SetVSplitter(Splitter* splitter);

    static QString DuplicateMessage();
    static QString BadIndexMessage();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TPanelEntry {
        QWidget* Panel;
        TPanelCaption* Caption;
        QMenu* Menu;
    };

    bool AnyPanelVisible() const;
    void SetChildAlign(QWidget* child, TAlign align);
    void ArrangePanels();
    void PlaceSplitters();
    void Realign();
    void FollowVSplitter();
    void DragSplitter(Splitter* splitter, int delta);
    static void ShowPlainMessage(const QString& text);

    QList<TPanelEntry> panels_;
    QList<Splitter*> splitters_;
    QList<QWidget*> order_; // children from top to bottom
    QHash<const QWidget*, TAlign> aligns_;
    TAlign align_ = alNone;
    QPointer<Splitter> vsplitter_;
};
