#pragma once
// frm_available, the update utility's window "Palvera Press Updates": four
// pages on one window (Internet options, retrieving the catalogue, choosing
// updates, download status), the failure report through which every failure
// of the utility ends it, and the check for running product windows.
#include <QMainWindow>
#include <QPixmap>
#include <QTimer>
#include <cstdint>

#include "updater/codec/cls_huffman.h"
#include "updater/engine/download_selected_updates.h"
#include "updater/wizard/wizard_services.h"
#include "updater/wizard_interfaces/update_display.h"
#include "updater/wizard_interfaces/update_failure_report.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace qd {

class UpdateGrid;

class FrmAvailableWindow : public QMainWindow, public UpdateDisplay, public UpdateFailureReport {
public:
    explicit FrmAvailableWindow(WizardServices services);
    ~FrmAvailableWindow() override;

    // Event handlers and methods of the window.
    void Form_Load();
    void UpdateProxyForm();
    void cmd_startnext_Click();
    void MSFlexGrid1_Click(int row, int column);
    void opt_56k_Click();
    void opt_cable_Click();
    void opt_t1_Click();
    void cmd_availableNext_Click();
    void cmd_finish_Click();
    void About_Click();
    void Timer1_Timer();
    void Huffman_Progress(int percent);
    void InitializeGridCheckboxes();
    bool CheckRunningApplications();

    // UpdateFailureReport
    void show_error_message(const std::string& text) override;
    [[noreturn]] void ReportUpdateFailure(const std::string& text) override;

    // UpdateDisplay
    void set_bar(int value) override;
    void set_percent_label(const std::string& text) override;
    void process_pending_events() override;
    void set_current_file(const std::string& name) override;
    void set_rate_text(const std::string& text) override;
    void hide_rate() override;
    void set_status_caption(const std::string& caption) override;
    void start_transfer_clock() override;
    void stop_transfer_clock() override;
    float elapsed_seconds() const override { return elapsed_seconds_; }

    const UpdateRun& run() const { return run_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build_pages();
    QWidget* build_options_page();
    QWidget* build_choosing_page();
    QWidget* build_download_page();
    void make_default(QPushButton* button);
    void set_connection_rate(float kilobytes_per_second);
    void refresh_estimate();
    void add_to_total(int kilobytes);
    void fill_grid();
    void show_no_updates();
    [[noreturn]] void end_process(int status);

    WizardServices services_;
    UpdateRun run_;
    clsHuffman Huffman;
    std::int16_t total_kilobytes_ = 0;
    float connection_rate_ = 0;
    float elapsed_seconds_ = 0;
    QPixmap ticked_image_;
    QPixmap unticked_image_;
    QTimer* Timer1 = nullptr;
    QPushButton* default_button_ = nullptr;

    QGroupBox* fra_start = nullptr;
    QComboBox* cmb_proxy = nullptr;
    QLineEdit* txt_proxyip = nullptr;
    QLineEdit* txt_proxyport = nullptr;
    QLineEdit* txt_username = nullptr;
    QLineEdit* txt_password = nullptr;
    QPushButton* cmd_startnext = nullptr;
    QGroupBox* fra_connecting = nullptr;
    QLabel* lbl_connecting = nullptr;
    QLabel* lbl_selectupdates = nullptr;
    UpdateGrid* MSFlexGrid1 = nullptr;
    QGroupBox* fra_dlspeed = nullptr;
    QRadioButton* opt_56k = nullptr;
    QRadioButton* opt_cable = nullptr;
    QRadioButton* opt_t1 = nullptr;
    QLabel* lbl_totdlsizebytes = nullptr;
    QLabel* lbl_totdltime = nullptr;
    QLabel* lbl_SecOrMin = nullptr;
    QPushButton* cmd_availableNext = nullptr;
    QGroupBox* fra_download = nullptr;
    QLabel* lbl_filename = nullptr;
    QLabel* lbl_dlRate = nullptr;
    QLabel* lbl_dlRateValue = nullptr;
    QLabel* lbl_PercentValue = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QPushButton* cmd_finish = nullptr;
    QPushButton* cmd_downloadNext = nullptr;
};

}  // namespace qd
