#include "link/link_controller.h"

#include "app/app_context.h"

LinkController::LinkController(AppContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {}
LinkController::~LinkController() = default;

void LinkController::bind() {}
bool LinkController::link_is_open() const
{
    return false;
}
void LinkController::clock_display() {}
void LinkController::supervision() {}
void LinkController::brightness_preview() {}
void LinkController::port_discovery() {}
void LinkController::close_link() {}
