#include "updater/wizard/frm_available_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <limits>

#include "platform/qt/accessible_button.h"
#include "updater/catalogue/read_updates_ini.h"
#include "updater/engine/check_running_applications.h"
#include "updater/engine/download_texts.h"
#include "updater/engine/get_updates_ini.h"
#include "updater/engine/set_inet_variables.h"
#include "updater/wizard/frm_about_window.h"
#include "updater/wizard/update_grid.h"

namespace qd {

namespace {

constexpr const char* kTitle = "Palvera Press Updates";
constexpr const char* kSelectText =
    "The Palvera Press Updates utility has found the following product upgrades are available.  You can unselect any "
    "updates that you do not wish to download at this time.  Otherwise, click Next to begin downloading all selected "
    "updates now.";
constexpr const char* kNoUpdatesText = "There are currently no updates to select.  Click Exit to close the program.";

// A tick box as the desktop's style draws one, ticked or not.
QPixmap tick_image(const QWidget& widget, bool ticked) {
    QStyleOptionButton option;
    option.initFrom(&widget);
    const QStyle* style = widget.style();
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, &widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, &widget);
    const qreal ratio = widget.devicePixelRatioF();
    QPixmap image(QSize(width, height) * ratio);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    option.rect = QRect(0, 0, width, height);
    option.state = QStyle::State_Enabled | (ticked ? QStyle::State_On : QStyle::State_Off);
    QPainter painter(&image);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &option, &painter, &widget);
    return image;
}

void show_enabled(QWidget* widget, bool on) {
    widget->setVisible(on);
    widget->setEnabled(on);
}

QLineEdit* make_field(QWidget* parent, const char* name, const char* caption) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setAccessibleName(caption);
    return field;
}

}  // namespace

FrmAvailableWindow::FrmAvailableWindow(WizardServices services) : services_(std::move(services)) {
    setObjectName("frm_available");
    setWindowTitle(kTitle);
    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
    Huffman.Progress = [this](int percent) { Huffman_Progress(percent); };
    ticked_image_ = tick_image(*this, true);
    unticked_image_ = tick_image(*this, false);
    build_pages();
    Form_Load();
}

FrmAvailableWindow::~FrmAvailableWindow() = default;

QWidget* FrmAvailableWindow::build_options_page() {
    fra_start = new QGroupBox("Internet Options", this);
    fra_start->setObjectName("fra_start");
    cmb_proxy = new QComboBox(fra_start);
    cmb_proxy->setObjectName("cmb_proxy");
    cmb_proxy->setAccessibleName("Proxy type");
    txt_proxyip = make_field(fra_start, "txt_proxyip", "Proxy IP");
    txt_proxyport = make_field(fra_start, "txt_proxyport", "Port");
    txt_username = make_field(fra_start, "txt_username", "Username");
    txt_password = make_field(fra_start, "txt_password", "Password");
    txt_password->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout(fra_start);
    form->addRow("Proxy", cmb_proxy);
    form->addRow("Proxy IP", txt_proxyip);
    form->addRow("Port", txt_proxyport);
    form->addRow("Username", txt_username);
    form->addRow("Password", txt_password);
    connect(cmb_proxy, &QComboBox::currentIndexChanged, this, [this] { UpdateProxyForm(); });

    fra_connecting = new QGroupBox("Retrieving Updates", this);
    fra_connecting->setObjectName("fra_connecting");
    lbl_connecting = new QLabel(fra_connecting);
    lbl_connecting->setObjectName("lbl_connecting");
    (new QVBoxLayout(fra_connecting))->addWidget(lbl_connecting);
    return fra_start;
}

QWidget* FrmAvailableWindow::build_choosing_page() {
    lbl_selectupdates = new QLabel(this);
    lbl_selectupdates->setObjectName("lbl_selectupdates");
    lbl_selectupdates->setWordWrap(true);
    MSFlexGrid1 = new UpdateGrid(ticked_image_, unticked_image_, this);
    connect(MSFlexGrid1, &UpdateGrid::cell_activated, this, [this](int row, int column) { MSFlexGrid1_Click(row, column); });

    fra_dlspeed = new QGroupBox("Download Information", this);
    fra_dlspeed->setObjectName("fra_dlspeed");
    opt_56k = new QRadioButton("56K", fra_dlspeed);
    opt_56k->setObjectName("opt_56k");
    opt_cable = new QRadioButton("Cable/DSL", fra_dlspeed);
    opt_cable->setObjectName("opt_cable");
    opt_t1 = new QRadioButton("T1/LAN", fra_dlspeed);
    opt_t1->setObjectName("opt_t1");
    connect(opt_56k, &QRadioButton::toggled, this, [this](bool on) {
        if (on) opt_56k_Click();
    });
    connect(opt_cable, &QRadioButton::toggled, this, [this](bool on) {
        if (on) opt_cable_Click();
    });
    connect(opt_t1, &QRadioButton::toggled, this, [this](bool on) {
        if (on) opt_t1_Click();
    });
    lbl_totdlsizebytes = new QLabel("0", fra_dlspeed);
    lbl_totdlsizebytes->setObjectName("lbl_totdlsizebytes");
    auto* size_unit = new QLabel("KB", fra_dlspeed);
    size_unit->setObjectName("lbl_totdlsizeunit");
    lbl_totdltime = new QLabel(fra_dlspeed);
    lbl_totdltime->setObjectName("lbl_totdltime");
    lbl_SecOrMin = new QLabel(fra_dlspeed);
    lbl_SecOrMin->setObjectName("lbl_SecOrMin");

    auto* speeds = new QHBoxLayout;
    for (QRadioButton* option : {opt_56k, opt_cable, opt_t1}) speeds->addWidget(option);
    speeds->addStretch();
    auto* size_row = new QHBoxLayout;
    size_row->addWidget(lbl_totdlsizebytes);
    size_row->addWidget(size_unit);
    size_row->addStretch();
    auto* time_row = new QHBoxLayout;
    time_row->addWidget(lbl_totdltime);
    time_row->addWidget(lbl_SecOrMin);
    time_row->addStretch();
    auto* form = new QFormLayout(fra_dlspeed);
    form->addRow(speeds);
    form->addRow("Total Download Size:", size_row);
    form->addRow("Estimated Download Time:", time_row);
    return MSFlexGrid1;
}

QWidget* FrmAvailableWindow::build_download_page() {
    fra_download = new QGroupBox("Download Status", this);
    fra_download->setObjectName("fra_download");
    lbl_filename = new QLabel(fra_download);
    lbl_filename->setObjectName("lbl_filename");
    lbl_dlRate = new QLabel("Download Rate:", fra_download);
    lbl_dlRate->setObjectName("lbl_dlRate");
    lbl_dlRateValue = new QLabel("0 KB/Sec", fra_download);
    lbl_dlRateValue->setObjectName("lbl_dlRateValue");
    lbl_PercentValue = new QLabel("0%", fra_download);
    lbl_PercentValue->setObjectName("lbl_PercentValue");
    ProgressBar1 = new QProgressBar(fra_download);
    ProgressBar1->setObjectName("ProgressBar1");
    ProgressBar1->setAccessibleName("Progress");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* form = new QFormLayout(fra_download);
    form->addRow("Current File:", lbl_filename);
    form->addRow(lbl_dlRate, lbl_dlRateValue);
    form->addRow("Percent Progress:", lbl_PercentValue);
    form->addRow(ProgressBar1);
    return fra_download;
}

void FrmAvailableWindow::build_pages() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(build_options_page());
    layout->addWidget(fra_connecting);
    build_choosing_page();
    layout->addWidget(lbl_selectupdates);
    layout->addWidget(MSFlexGrid1, 1);
    layout->addWidget(fra_dlspeed);
    layout->addWidget(build_download_page());
    layout->addStretch();

    cmd_startnext = make_button(this, "cmd_startnext", "Next >>");
    cmd_availableNext = make_button(this, "cmd_availableNext", "Next >>");
    cmd_downloadNext = make_button(this, "cmd_downloadNext", "Next >>");
    cmd_finish = make_button(this, "cmd_finish", "Exit");
    connect(cmd_startnext, &QPushButton::clicked, this, [this] { cmd_startnext_Click(); });
    connect(cmd_availableNext, &QPushButton::clicked, this, [this] { cmd_availableNext_Click(); });
    connect(cmd_finish, &QPushButton::clicked, this, [this] { cmd_finish_Click(); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {cmd_startnext, cmd_availableNext, cmd_downloadNext, cmd_finish}) buttons->addWidget(button);
    layout->addLayout(buttons);

    // The tick images the grid shows, kept as the window's own pictures.
    for (auto [name, image] : {std::pair{"picChecked", &ticked_image_}, std::pair{"picUnchecked", &unticked_image_}}) {
        auto* picture = new QLabel(central);
        picture->setObjectName(name);
        picture->setPixmap(*image);
        picture->hide();
    }
    setCentralWidget(central);

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("mnu_help");
    QAction* about = help->addAction("&About");
    about->setObjectName("About");
    connect(about, &QAction::triggered, this, [this] { About_Click(); });

    // Tab follows the layout from top to bottom, then the buttons left to right.
    QWidget* order[] = {cmb_proxy, txt_proxyip, txt_proxyport, txt_username,      txt_password,     MSFlexGrid1, opt_56k,
                        opt_cable, opt_t1,      cmd_startnext, cmd_availableNext, cmd_downloadNext, cmd_finish};
    for (std::size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
    resize(640, 480);
}

void FrmAvailableWindow::Form_Load() {
    run_.program_folder = services_.program_folder;
    lbl_selectupdates->hide();
    lbl_selectupdates->setText(kSelectText);
    cmb_proxy->addItems({"None", "Normal", "SOCKS4", "SOCKS5"});
    cmb_proxy->setCurrentIndex(0);
    fra_connecting->hide();
    fra_download->hide();
    show_enabled(fra_start, true);
    show_enabled(cmd_startnext, true);
    make_default(cmd_startnext);
    show_enabled(cmd_availableNext, false);
    show_enabled(cmd_downloadNext, false);
    show_enabled(MSFlexGrid1, false);
    show_enabled(fra_dlspeed, false);
    run_.self_update_flag = false;
    cmb_proxy->setFocus();
}

void FrmAvailableWindow::make_default(QPushButton* button) {
    if (default_button_) default_button_->setDefault(false);
    default_button_ = button;
    button->setDefault(true);
}

void FrmAvailableWindow::UpdateProxyForm() {
    const int mode = cmb_proxy->currentIndex();
    if (mode < 0 || mode > 3) {
        services_.dialogs.message("Invalid Selection", kTitle, DialogButtons::ok, DialogIcon::warning);
        return;
    }
    const ProxyFields fields = fields_of_mode(mode);
    const QColor off = palette().color(QPalette::Window);
    auto set = [&](QLineEdit* field, bool on) {
        field->setEnabled(on);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base, on ? QColor(Qt::white) : off);
        field->setPalette(colours);
    };
    set(txt_proxyip, fields.address);
    set(txt_proxyport, fields.address);
    set(txt_username, fields.username);
    set(txt_password, fields.password);
}

void FrmAvailableWindow::cmd_startnext_Click() {
    show_enabled(fra_start, false);
    fra_connecting->show();
    show_enabled(cmd_startnext, false);
    lbl_connecting->setText("Please wait, retrieving updates...");
    cmd_finish->setFocus();
    process_pending_events();

    const InternetOptions options{cmb_proxy->currentIndex(), txt_proxyip->text().toStdString(), txt_proxyport->text().toStdString(),
                                  txt_username->text().toStdString(), txt_password->text().toStdString()};
    SetInetVariables(services_.transfer, options);
    run_.addresses = GetUpdatesINI(
        run_.program_folder, services_.transfer, services_.times, [this] { process_pending_events(); }, *this, services_.notice);

    show_enabled(fra_connecting, false);
    cmd_availableNext->show();
    cmd_availableNext->setEnabled(false);
    make_default(cmd_availableNext);
    lbl_selectupdates->show();
    show_enabled(MSFlexGrid1, true);
    show_enabled(fra_dlspeed, true);
    if (opt_56k->isChecked()) opt_56k_Click();
    else opt_56k->setChecked(true);
    run_.lists = Read_Updates_Ini(run_.program_folder, *this);
    fill_grid();
}

void FrmAvailableWindow::fill_grid() {
    for (const ProductEntry& entry : run_.lists.offered) MSFlexGrid1->add_row(entry);
    if (MSFlexGrid1->data_rows() == 0) {
        show_no_updates();
        return;
    }
    cmd_availableNext->setEnabled(true);
    InitializeGridCheckboxes();
    MSFlexGrid1->setCurrentCell(0, 0);
    MSFlexGrid1->setFocus();
}

void FrmAvailableWindow::show_no_updates() {
    lbl_selectupdates->setText(kNoUpdatesText);
    services_.dialogs.message("There are currently no updates available", kTitle, DialogButtons::ok, DialogIcon::information);
    show_enabled(cmd_finish, true);
    make_default(cmd_finish);
    cmd_finish->setFocus();
}

void FrmAvailableWindow::InitializeGridCheckboxes() {
    for (int row = 0; row < MSFlexGrid1->data_rows(); ++row) {
        if (MSFlexGrid1->is_refused(row)) continue;
        MSFlexGrid1->set_ticked(row, true);
        run_.lists.offered[static_cast<std::size_t>(row)].selected = true;
        add_to_total(MSFlexGrid1->size_text(row).toInt());
        refresh_estimate();
    }
}

void FrmAvailableWindow::add_to_total(int kilobytes) {
    const int total = total_kilobytes_ + kilobytes;
    // The total is a 16-bit number, as the catalogue's sizes are.
    if (total < std::numeric_limits<std::int16_t>::min() || total > std::numeric_limits<std::int16_t>::max())
        ReportUpdateFailure("Error Selecting Update");
    total_kilobytes_ = static_cast<std::int16_t>(total);
    lbl_totdlsizebytes->setText(QString::number(total_kilobytes_));
}

void FrmAvailableWindow::MSFlexGrid1_Click(int row, int column) {
    if (row < 0 || row >= MSFlexGrid1->data_rows()) return;
    if (column == 0 && !MSFlexGrid1->is_refused(row)) {
        const bool ticked = MSFlexGrid1->is_ticked(row);
        const int size = MSFlexGrid1->size_text(row).toInt();
        MSFlexGrid1->set_ticked(row, !ticked);
        run_.lists.offered[static_cast<std::size_t>(row)].selected = !ticked;
        add_to_total(ticked ? -size : size);
    }
    refresh_estimate();
}

void FrmAvailableWindow::opt_56k_Click() { set_connection_rate(kRate56k); }
void FrmAvailableWindow::opt_cable_Click() { set_connection_rate(kRateCable); }
void FrmAvailableWindow::opt_t1_Click() { set_connection_rate(kRateT1); }

void FrmAvailableWindow::set_connection_rate(float kilobytes_per_second) {
    connection_rate_ = kilobytes_per_second;
    refresh_estimate();
}

void FrmAvailableWindow::refresh_estimate() {
    const DownloadEstimate estimate = EstimateDownloadTime(lbl_totdlsizebytes->text().toInt(), connection_rate_);
    lbl_totdltime->setText(QString::fromStdString(estimate.value));
    lbl_SecOrMin->setText(QString::fromStdString(estimate.unit));
}

void FrmAvailableWindow::cmd_availableNext_Click() {
    show_enabled(MSFlexGrid1, false);
    lbl_selectupdates->hide();
    show_enabled(fra_dlspeed, false);
    show_enabled(cmd_availableNext, false);
    cmd_finish->show();
    fra_download->show();
    cmd_finish->setFocus();
    if (MSFlexGrid1->data_rows() >= 1) {
        EngineServices engine{services_.transfer,
                              *this,
                              *this,
                              services_.dialogs,
                              services_.starter,
                              Huffman,
                              [this] { return CheckRunningApplications(); },
                              services_.times,
                              services_.notice};
        DownloadSelectedUpdates(run_, engine);
    }
    show_enabled(cmd_finish, true);
    make_default(cmd_finish);
    cmd_finish->setFocus();
}

bool FrmAvailableWindow::CheckRunningApplications() {
    return qd::CheckRunningApplications(services_.top_windows, services_.dialogs);
}

void FrmAvailableWindow::cmd_finish_Click() { close(); }

void FrmAvailableWindow::About_Click() { (new FrmAboutWindow(services_.starter, services_.dialogs, this))->show(); }

void FrmAvailableWindow::Timer1_Timer() { elapsed_seconds_ += 0.1f; }

void FrmAvailableWindow::Huffman_Progress(int percent) {
    set_percent_label(std::to_string(percent) + "%");
    set_bar(percent);
    process_pending_events();
}

void FrmAvailableWindow::show_error_message(const std::string& text) {
    services_.dialogs.message(text, kTitle, DialogButtons::ok, DialogIcon::error);
}

void FrmAvailableWindow::ReportUpdateFailure(const std::string& text) {
    std::string manual_url = run_.addresses.manual_url;
    if (manual_url.empty()) manual_url = read_server_addresses(run_.program_folder).manual_url;
    const DialogAnswer answer = services_.dialogs.message("An error has occurred before updates could be installed:\n" + text +
                                                              "\nWould you like to manually download the updates?",
                                                          kTitle, DialogButtons::yes_no, DialogIcon::warning);
    if (answer == DialogAnswer::yes) {
        services_.shell.open(manual_url, ShowMode::normal);
    } else {
        services_.dialogs.message(
            "Palvera Press Updates has not completed updating your files.\nPlease run Updates "
            "again or download the manual updates from\n" +
                manual_url,
            kTitle, DialogButtons::ok, DialogIcon::warning);
    }
    show_enabled(cmd_finish, true);
    end_process(kEndedByFailure);
}

void FrmAvailableWindow::end_process(int status) {
    services_.end_process(status);
    std::abort();  // the end of the process never returns
}

void FrmAvailableWindow::set_bar(int value) { ProgressBar1->setValue(value); }

void FrmAvailableWindow::set_percent_label(const std::string& text) { lbl_PercentValue->setText(QString::fromStdString(text)); }

void FrmAvailableWindow::process_pending_events() { QCoreApplication::processEvents(); }

void FrmAvailableWindow::set_current_file(const std::string& name) {
    const QString text = QString::fromStdString(name);
    if (lbl_filename->text() != text) lbl_filename->setText(text);
}

void FrmAvailableWindow::set_rate_text(const std::string& text) { lbl_dlRateValue->setText(QString::fromStdString(text)); }

void FrmAvailableWindow::hide_rate() {
    lbl_dlRate->hide();
    lbl_dlRateValue->hide();
}

void FrmAvailableWindow::set_status_caption(const std::string& caption) { fra_download->setTitle(QString::fromStdString(caption)); }

void FrmAvailableWindow::start_transfer_clock() { Timer1->start(); }

void FrmAvailableWindow::stop_transfer_clock() {
    Timer1->stop();
    elapsed_seconds_ = 0;
}

void FrmAvailableWindow::closeEvent(QCloseEvent* event) {
    // Form_Unload: however the window closes, the process ends at once.
    event->accept();
    end_process(kEndedByUser);
}

void FrmAvailableWindow::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        QPushButton* target = focused ? focused : default_button_;
        if (target && target->isVisible() && target->isEnabled()) target->click();
        return;
    }
    if (event->key() == Qt::Key_Escape && cmd_finish->isVisible() && cmd_finish->isEnabled()) {
        cmd_finish->click();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

}  // namespace qd
