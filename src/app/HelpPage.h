#pragma once

#include "Page.h"

class ClickableLabel;

// HELP: an information panel whose two pictures open web pages.
class HelpPage : public Page
{
public:
    explicit HelpPage(Ui& ui, QWidget* parent = nullptr);

private:
    void openSoftwarePage();
    void openWebPage();

    ClickableLabel* m_softwareImage = nullptr;
    ClickableLabel* m_webImage = nullptr;
};
