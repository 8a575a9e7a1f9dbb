#pragma once
// The "Project" page: date, unit system, designer and reference of the
// project, and the buttons that save it and make its reports.

#include "ui/project_page.h"

#include <QString>
#include <functional>
#include <string>

class CNameList;
class QComboBox;
class QLineEdit;
class QPushButton;

class CVTXPageProject : public CVTXProjectPage
{
  Q_OBJECT
public:
  explicit CVTXPageProject(CProjectPageHost& sheet);
  void Refresh() override;

  QLineEdit* DateField() const { return mDate; }
  QComboBox* UnitList() const { return mUnits; }
  QComboBox* DesignerList() const { return mDesigners; }
  QPushButton* NewDesignerButton() const { return mNewDesigner; }
  QPushButton* DeleteDesignerButton() const { return mDeleteDesigner; }
  QLineEdit* ReferenceField() const { return mReference; }
  QPushButton* SaveButton() const { return mSave; }
  QPushButton* SaveAsButton() const { return mSaveAs; }
  QPushButton* VisualReportButton() const { return mVisualReport; }
  QPushButton* TextReportButton() const { return mTextReport; }
  QPushButton* PrintButton() const { return mPrint; }
  QPushButton* ExportPdfButton() const { return mExportPdf; }
  QPushButton* DumpButton() const { return mDump; }

  void OnUnitChosen(int index);
  void OnDesignerChosen(int index);
  void OnNewDesigner();
  void OnDeleteDesigner();
  void OnSave();
  // The listed name becomes the project's designer; for a name the list no
  // longer holds the project keeps its designer and the page shows it again.
  void ChooseListedDesigner(const std::string& name, const CNameList& designers);
  void OnSaveAs();
  void OnVisualReport();
  void OnTextReport();
  void OnPrint();
  void OnExportPdf();
  void OnDump();
  // Writes the volumes as a CSV room schedule, or the whole project as JSON
  // when the chosen file ends in ".json".
  void OnExport();
  QPushButton* ExportButton() const { return mExport; }
  // Asks for the file to export to (empty: cancelled); tests put their own.
  std::function<QString(QWidget* parent, const QString& start)> mPickExportFile;

private:
  QLineEdit* mDate;
  QComboBox* mUnits;
  QComboBox* mDesigners;
  QPushButton* mNewDesigner;
  QPushButton* mDeleteDesigner;
  QLineEdit* mReference;
  QPushButton* mDump;
  QPushButton* mSave;
  QPushButton* mSaveAs;
  QPushButton* mVisualReport;
  QPushButton* mTextReport;
  QPushButton* mPrint;
  QPushButton* mExport;
  QPushButton* mExportPdf;
};
