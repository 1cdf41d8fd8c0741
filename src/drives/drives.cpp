// TDrives: the probe of the disks and the operations over all kept disks.
#include "drives/drives.h"

#include "toolkit/popup_menu.h"
#include "toolkit/timer.h"
#include "toolkit/tray_icon.h"

namespace korvane {

TDrives::TDrives(DriveDeps& deps) : deps_(deps) {
    for (int number = 0; number < kMaxDrives; ++number) {
        auto drive = std::make_unique<TDrive>(static_cast<uint8_t>(number), deps_);
        drive->Poll();
        drive->ResetStatus();
        if (!drive->IsPresent()) {
            continue; // destroyed here
        }
        drive->LogReadPath();
        drive->OnStatusChange = [this](TDrive& d, TTempStatus oldStatus, TTempStatus newStatus) {
            if (OnStatusChange) {
                OnStatusChange(*this, d, oldStatus, newStatus);
            }
        };
        drive->OnIconChange = [this](TDrive& d, bool shown) {
            if (OnIconChange) {
                OnIconChange(*this, d, shown);
            }
        };
        drive->OnTrayMouse = [this](TDrive& d, uint32_t message) {
            if (OnTrayMouse) {
                OnTrayMouse(*this, d, message);
            }
        };
        TDrive* kept = drive.get();
        kept->PollTimer().OnTick = [this, kept](TimerPort&) {
            kept->Poll();
            if (OnDrivePolled) {
                OnDrivePolled(*this, *kept);
            }
        };
        items_[count_++] = std::move(drive);
    }
}

TDrives::~TDrives() {
    for (auto& item : items_) {
        item.reset();
    }
    count_ = 0;
}

TDrive* TDrives::GetDrive(int32_t position) const {
    if (position < 0 || position >= count_) {
        return nullptr;
    }
    return items_[position].get();
}

void TDrives::PollAll() {
    for (int32_t i = 0; i < count_; ++i) {
        items_[i]->Poll();
        if (OnDrivePolled) {
            OnDrivePolled(*this, *items_[i]);
        }
    }
    if (OnAfterPoll) {
        OnAfterPoll(*this);
    }
}

void TDrives::ApplyPollIntervals() {
    for (int32_t i = 0; i < count_; ++i) {
        items_[i]->ApplyPollInterval();
    }
}

void TDrives::SetMonitoring(bool on) {
    for (int32_t i = 0; i < count_; ++i) {
        items_[i]->SetMonitoring(on);
    }
}

int32_t TDrives::VisibleIconCount() const {
    int32_t visible = 0;
    for (int32_t i = 0; i < count_; ++i) {
        visible += items_[i]->IsIconShown() ? 1 : 0;
    }
    return visible;
}

int32_t TDrives::MeasurableCount() const {
    int32_t measurable = 0;
    for (int32_t i = 0; i < count_; ++i) {
        // A disk asleep since start-up has no reading yet but gives one when it wakes.
        const TDrive& drive = *items_[i];
        measurable += drive.HasTemperature() || drive.Smart().Asleep() ? 1 : 0;
    }
    return measurable;
}

void TDrives::RefreshMenuCaptions() {
    if (!deps_.applyMenuCaptions) {
        return;
    }
    for (int32_t i = 0; i < count_; ++i) {
        if (PopupMenuPort* menu = items_[i]->Menu()) {
            deps_.applyMenuCaptions(*menu);
        }
    }
}

void TDrives::ResetBeforeHibernate() {
    for (int32_t i = 0; i < count_; ++i) {
        if (deps_.hideBalloon) {
            deps_.hideBalloon(items_[i]->TrayIcon());
        }
        items_[i]->ResetStatus();
    }
}

} // namespace korvane
