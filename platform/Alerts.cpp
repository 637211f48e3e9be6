#include "platform/Alerts.h"

#include <cstdio>

namespace {

AlertPresenter &alertPresenter()
{
    static AlertPresenter presenter;
    return presenter;
}

}  // namespace

void setAlertPresenter(AlertPresenter presenter)
{
    alertPresenter() = std::move(presenter);
}

void requestAlert(const std::string &title, const std::string &message)
{
    if (const AlertPresenter &presenter = alertPresenter()) {
        presenter(Alert {title, message});
        return;
    }
    if (message.empty())
        std::fprintf(stderr, "%s\n", title.c_str());
    else
        std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}
