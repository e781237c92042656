#pragma once

#include "Page.h"
#include "export/CsvSettings.h"
#include "export/PriceExportRun.h"
#include "seo/SeoRun.h"

#include <QList>
#include <exception>
#include <memory>

class ClickableLabel;
class DropDownComboBox;
class ExportProgressTab;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;
struct PageSettings;
struct SharedStore;

// EXPORT: the CSV settings, the session and brand list of the export, the price export and
// the SEO runs, and the progress tab they share.
class ExportPage : public Page
{
public:
    ExportPage(Ui& ui, SharedStore& store, QWidget* parent = nullptr);
    ~ExportPage() override;

    void applySettings(const PageSettings& settings);
    void saveSettings(PageSettings& settings) const;

    // Every closing of the connection empties the brand list.
    void clearBrandList();

    const Job& priceExportJob() const { return m_priceExport; }
    const Job& seoJob() const { return m_seoRun; }

private:
    void fillProfiles();
    void connectForExport();
    void loadBrandList();
    void chooseExportFolder();
    void toggleAllBrands();
    void keepIdColumnTicked();
    void keepSeoIdColumnsTicked();
    void startPriceExport();
    void startSeoRun();
    // The closing steps of a run on the window: an error it ended by is shown after them.
    void runEnded(const std::exception_ptr& error);
    // The one Stop button of the price export and the SEO runs.
    void stopExport();
    void openExportFolder();
    void openTemplateFiles();
    CsvSettings::Texts csvSettingsTexts() const;
    QList<QCheckBox*> templateBoxes() const;

    SharedStore& m_store;
    PriceExportRun m_priceExport;
    SeoRun m_seoRun;
    std::unique_ptr<ExportProgressTab> m_progress;

    QTabWidget* m_exportTabs = nullptr;
    QComboBox* m_decimalSeparatorCombo = nullptr;
    QComboBox* m_listSeparatorCombo = nullptr;
    QLineEdit* m_maxRowsEdit = nullptr;
    QLineEdit* m_exportFolderEdit = nullptr;
    QPushButton* m_chooseExportFolderButton = nullptr;
    DropDownComboBox* m_exportProfileChooser = nullptr;
    QPushButton* m_exportConnectButton = nullptr;
    QListWidget* m_brandList = nullptr;
    QToolButton* m_toggleBrandsButton = nullptr;
    QListWidget* m_exportColumnList = nullptr;
    QPushButton* m_startExportButton = nullptr;
    QRadioButton* m_seoExistingRadio = nullptr;
    QRadioButton* m_seoGenerateRadio = nullptr;
    QListWidget* m_seoColumnList = nullptr;
    QCheckBox* m_productShortDescTemplateCheck = nullptr;
    QCheckBox* m_productMetaDescTemplateCheck = nullptr;
    QCheckBox* m_categoryMetaDescTemplateCheck = nullptr;
    QCheckBox* m_productCustomTitleTemplateCheck = nullptr;
    QCheckBox* m_categoryCustomTitleTemplateCheck = nullptr;
    QLabel* m_templateHelpLink = nullptr;
    QPushButton* m_startSeoButton = nullptr;
    ClickableLabel* m_exportPathLabel = nullptr;
    QLabel* m_exportFileNumberLabel = nullptr;
    QLabel* m_exportRowNumberLabel = nullptr;
    QLabel* m_exportBrandLabel = nullptr;
    QPushButton* m_stopExportButton = nullptr;
};
