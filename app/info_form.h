#pragma once
#include <QDialog>
#include <QStringList>
#include <cstdint>

#include "app/design_layout.h"
#include "app/hyper_link_label.h"
#include "resources/version_block.h"

class QLabel;
class QPushButton;

// The info dialog: product, version, legal notice, the maker's link and the machine's memory.
class TInfoForm : public QDialog {
    Q_OBJECT
  public:
    struct Sources {
        const VersionBlock* block; // the program's own unless a test gives another
        std::uint64_t physicalMemoryBytes;
        THyperLinkLabel::Opener openLink;
    };
    static Sources ProgramSources();
    // The designed size; a longer wording than the German one widens it.
    static constexpr int kDesignWidth = 268;
    static constexpr int kDesignHeight = 158;
    explicit TInfoForm(QWidget* owner, Sources sources = ProgramSources());

    // Centres the button below the texts (the info command does, before showing).
    void PlaceButton();
    // The version values found, in their fixed order; the list is emptied first.
    void GetVersionInfo(QStringList& list) const;

    QLabel *Image1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
           *Label5 = nullptr;
    THyperLinkLabel* HyperLinkLabel1 = nullptr;
    QPushButton* Button1 = nullptr;

  public:
    // Closing by the system counts as OK, like the button.
    void reject() override { accept(); }

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void FormCreate();
    void PlaceControls();

    Sources sources_;
    DesignLayout design_;
    bool buttonPlaced_ = false;
};
