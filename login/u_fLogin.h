#pragma once
// The login window: company, user name and password, checked in three stages
// against the directory and the company database before the session is set.
#include <QDialog>

#include "login/remembered_login.h"
#include "pg/query.h"

class QLabel;
class QLineEdit;
class QPushButton;

class TfLogin : public QDialog {
    Q_OBJECT
  public:
    explicit TfLogin(QWidget* parent = nullptr);

    QLabel* cxLabel4;
    QLabel* cxLabel1;
    QLineEdit* Edit1;
    QLabel* cxLabel2;
    QLineEdit* Edit2;
    QLabel* cxLabel3;
    QLineEdit* Edit3;
    QPushButton* cxButton1;

    pg::Query dsVekMobil;
    login::LoginTable dsLogin;

    void FormShow();
    void cxButton1Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeControls();
    void bindRememberedLogin();
    void showRememberedLogin();
    void loadRememberedLogin();
    void saveRememberedLogin();
    void findCompany();
    void pointCompanyConnection();
    void checkUser();
    void checkApplication();
    void startSession();
    void closeQueries();
};

extern TfLogin* fLogin;
