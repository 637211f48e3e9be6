#pragma once

#include <functional>
#include <string>

// An alert sheet on the application's main window: a title, a message that may be empty, and the
// single button "OK". Requesting one never blocks; the order of requests is kept by the presenter.
struct Alert {
    std::string title;
    std::string message;
};

using AlertPresenter = std::function<void(const Alert &)>;

// The front end installs its presenter; without one, alerts go to standard error.
void setAlertPresenter(AlertPresenter presenter);
void requestAlert(const std::string &title, const std::string &message);
