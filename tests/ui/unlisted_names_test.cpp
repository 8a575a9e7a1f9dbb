// A project from another computer names a designer and a customer that this
// computer's lists do not hold: the pages still show whose they are.

#include "tests/ui/project_test_fixture.h"
#include "ui/project_tab_customer.h"
#include "ui/project_tab_project.h"

#include <QComboBox>

using UnlistedNames = ProjectWindowTest;

TEST_F(UnlistedNames, AreShownGreyedWithoutBeingSelected)
{
  CProject* project = Open("Elsewhere");
  ASSERT_NE(project, nullptr);
  Designers().Add("Bob");
  project->mProject_Designer = "Jane Planner";
  project->mCustomer.mName = "Harbour Data Centre";
  CVTXSheet* sheet = Sheet(project);

  Show(sheet, sheet->CustomerPage());
  QComboBox* company = sheet->CustomerPage()->CompanyList();
  EXPECT_EQ(company->currentIndex(), -1);
  EXPECT_EQ(company->placeholderText(), "Harbour Data Centre");

  Show(sheet, sheet->ProjectPage());
  QComboBox* designers = sheet->ProjectPage()->DesignerList();
  EXPECT_EQ(designers->currentIndex(), -1);
  EXPECT_EQ(designers->placeholderText(), "Jane Planner");

  // Once listed, the name is selected and the greyed text goes.
  Designers().Add("Jane Planner");
  Show(sheet, sheet->CustomerPage());
  Show(sheet, sheet->ProjectPage());
  EXPECT_EQ(designers->currentText(), "Jane Planner");
  EXPECT_EQ(designers->placeholderText(), "");
}
