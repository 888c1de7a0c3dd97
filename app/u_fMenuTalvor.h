#pragma once
// The main window: the Login button, the version strip and the menu tree from
// which the reports are reached.
#include <QWidget>

class QFrame;
class QLabel;
class QPushButton;
class QTreeWidget;

class TfMenuTalvor : public QWidget {
    Q_OBJECT
  public:
    explicit TfMenuTalvor(QWidget* parent = nullptr);

    QFrame* PanelLogin;
    QFrame* PanelMenu;
    QPushButton* ButtonLogin;
    QTreeWidget* TreeView1;
    QFrame* PanelVersion;
    QLabel* Label1;

    void FormCreate();
    void ButtonLoginClick();
    void TreeView1Change();

  private:
    void buildPanels();
    void buildTree();
};

extern TfMenuTalvor* fMenuTalvor;
