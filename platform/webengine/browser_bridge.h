#pragma once
// The object the page's bridge script talks to through the web channel.
#include <QObject>
#include <QString>
#include <functional>

namespace qd {

class BrowserBridge : public QObject {
    Q_OBJECT
public:
    std::function<void(const QString&)> on_form_changed;
    std::function<void(const QString&)> on_element_clicked;
    std::function<void()> on_page_painted;
    std::function<void(const QString&)> on_page_signal;
    std::function<void(int)> on_input_flushed;

public slots:
    void formChanged(const QString& form_json) {
        if (on_form_changed) on_form_changed(form_json);
    }
    void elementClicked(const QString& id) {
        if (on_element_clicked) on_element_clicked(id);
    }
    void pageSignal(const QString& name) {
        if (on_page_signal) on_page_signal(name);
    }
    void inputFlushed(const QString& row) {
        if (on_input_flushed) on_input_flushed(row.toInt());
    }
    void pagePainted(const QString&) {
        if (on_page_painted) on_page_painted();
    }
};

}  // namespace qd
