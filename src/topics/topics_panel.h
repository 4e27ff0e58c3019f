#pragma once

#include "ui/panel_frame.h"

class QLabel;
class QListWidget;
class QPushButton;

// "Manage Topics" (frameTopics): the topic names and the five topic
// buttons, "REFRESH TOPIC" being the default. The commands are TopicsUi's.
class TopicsPanel : public PanelFrame {
    Q_OBJECT
public:
    explicit TopicsPanel(QWidget* parent = nullptr);

    QListWidget* lstTopics() const { return list_; }
    QPushButton* cmdOpenTopic() const { return open_; }
    QPushButton* cmdNewTopic() const { return create_; }
    QPushButton* cmdDeleteTopic() const { return delete_; }
    QPushButton* cmdInsertVerse() const { return insert_; }
    QPushButton* cmdDeleteVerse() const { return remove_; }
    // What the last change to a topic did, or why it did not happen.
    QLabel* lblReport() const { return report_; }

private:
    QListWidget* list_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* create_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* insert_ = nullptr;
    QPushButton* remove_ = nullptr;
    QLabel* report_ = nullptr;
};
