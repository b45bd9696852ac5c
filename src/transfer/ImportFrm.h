#pragma once
// The import dialog: the user describes a foreign text file (layout, date
// form, lines to skip) and drags fields of its preview onto the record's
// field rows. The opener sets the kind, shows the dialog and, after OK,
// takes its settings to the kind's run (or, for data conversion, the
// definition record it builds).

#include "transfer/ImportDefinition.h"

#include <QDialog>
#include <QTableWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class TDataBase;
class TSymbolDataBase;

// A dragged preview column carries its heading ("Field N") as Latin-1 text.
inline constexpr const char *kImportFieldMimeType = "application/x-quorvane-import-field";

class TImportPreviewGrid : public QTableWidget
{
    Q_OBJECT
public:
    using QTableWidget::QTableWidget;

protected:
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QList<QTableWidgetItem *> &items) const override;
};

class TImportForm;

class TImportFieldGrid : public QTableWidget
{
    Q_OBJECT
public:
    TImportFieldGrid(TImportForm *form, QWidget *parent);
    // Only preview columns are taken.
    static bool acceptsDrop(const QMimeData *data);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    TImportForm *m_form;
};

class TImportForm : public QDialog
{
    Q_OBJECT
public:
    explicit TImportForm(QWidget *owner = nullptr);

    // Caption, kind tag, field rows, optional rows and the date-form list of
    // the kind; the conversion kind also turns on the definition-only mode.
    void setKind(TImportKind kind);
    void setKindTag(const QString &tag) { m_kindTag = tag; }
    void setFieldRows(const QStringList &rows);
    // At most 101 names of at most 40 characters each.
    void setOptionalRows(const QStringList &names);
    void setDateFormsEnabled(bool enabled);
    // Load, Import and "Append To File" hidden; divisor and summary shown;
    // Save closes the dialog with OK.
    void setDefinitionOnly(bool on);
    bool definitionOnly() const { return m_definitionOnly; }

    TImportSettings settings() const;
    TImportDefinition definition() const { return BuildImportDefinition(settings()); }
    // Takes a definition over as Load does (after its kind was checked).
    void applyDefinition(const TImportDefinition &definition);

    // Writes `heading` into column 1 of `row`; a row below the last means the
    // last row.
    void ImportGridDragDrop(int row, const QString &heading);
    void RefreshPreview();
    void UpdateButtons();
    bool previewShown() const;

    QLineEdit *Description = nullptr, *ImportFileName = nullptr;
    QPushButton *GetFileBtn = nullptr;
    QComboBox *ImportFormat = nullptr, *DateFormat = nullptr;
    QSpinBox *SpinEdit1 = nullptr, *Volume = nullptr;
    QLabel *VolumeLabel = nullptr;
    QCheckBox *AppendToFile = nullptr, *Summary = nullptr;
    QLabel *NoFileLabel = nullptr;
    TImportPreviewGrid *StringGrid1 = nullptr;
    TImportFieldGrid *ImportGrid = nullptr;
    QPushButton *LoadBtn = nullptr, *SaveBtn = nullptr, *ImportBtn = nullptr, *CancelBtn = nullptr;

public slots:
    void GetFileBtnClick();
    void LoadBtnClick();
    void SaveBtnClick();

private:
    QStringList fieldRows() const;
    QStringList assignments() const;
    bool datedKind() const;

    QString m_kindTag;
    QStringList m_optional;
    bool m_definitionOnly = false;
    bool m_loadingPreview = false;
};

// The symbol list's "I&mport": the dialog for symbols, the overwrite
// question, the run into `file` with the progress window. Returns whether
// the run completed.
bool ImportSymbolsUi(QWidget *owner, TSymbolDataBase &file);
// The price record window's "&Import" into the security's open price file.
bool ImportPricesUi(QWidget *owner, TDataBase &file);
