#include "tools/devsim/sim_device.h"

#include "link/core/protocol.h"

#include <algorithm>

namespace zuzo::sim {
namespace {

constexpr std::size_t kReceivedLimit = 20000;
constexpr const char* kGarbage = "x5%Q~\x7f#\r";

std::array<std::uint8_t, 7> clock_of(std::time_t t)
{
    std::tm local{};
    ::localtime_r(&t, &local);
    return {static_cast<std::uint8_t>(local.tm_sec),
            static_cast<std::uint8_t>(local.tm_min),
            static_cast<std::uint8_t>(local.tm_hour),
            static_cast<std::uint8_t>(local.tm_wday == 0 ? 7 : local.tm_wday),
            static_cast<std::uint8_t>(local.tm_mday),
            static_cast<std::uint8_t>(local.tm_mon + 1),
            static_cast<std::uint8_t>(local.tm_year - 100)};
}

// Where the sensor setting lies in the optics memory (write order): byte 4 of
// the second write command, 0 when the sensor is used.
constexpr std::size_t kSensorByte = 15;

} // namespace

SimDevice::SimDevice()
{
    DeviceProgram factory;
    apply_optics_defaults(factory);
    factory.optical_sensor_on = 1;          // the device comes with its sensor in use
    optics_ = *optics_write_bytes(factory); // the factory values always travel
}

void SimDevice::begin_session()
{
    std::lock_guard lock(mutex_);
    identified_ = false;
}

void SimDevice::end_session()
{
    std::lock_guard lock(mutex_);
    ++sessions_ended_;
    frames_cv_.notify_all();
}

int SimDevice::sessions_ended() const
{
    std::lock_guard lock(mutex_);
    return sessions_ended_;
}

bool SimDevice::wait_for_sessions_ended(int n, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return frames_cv_.wait_for(lock, limit, [&] { return sessions_ended_ >= n; });
}

Response SimDevice::respond(const Frame& frame)
{
    std::lock_guard lock(mutex_);
    Response r;
    r.split = faults_.split;
    r.pace = faults_.pace;
    const std::size_t index = frames_seen_++;
    const int occurrence = ++seen_by_code_[frame.code];
    const bool vanish = faults_.vanish_after >= 0 && index >= static_cast<std::size_t>(faults_.vanish_after);
    bool faulty = faults_.faulty_frames != 0 && index >= static_cast<std::size_t>(faults_.faulty_from);
    if (faulty && faults_.faulty_frames > 0)
        --faults_.faulty_frames;
    const Hits hits = hits_for(faulty, frame.code, occurrence);

    bool silent = vanish || hits.silence || faults_.ignore.count(frame.code) > 0;
    if (faulty && faults_.silence_after >= 0 && index >= static_cast<std::size_t>(faults_.silence_after))
        silent = true;
    if (!silent)
        r.text = hits.garbage ? std::string(kGarbage) : answer_for(frame, hits);
    if (!r.text.empty() && faults_.trailing)
        r.text += "zz";
    r.vanish = vanish;
    if (received_.size() >= kReceivedLimit) // a long session keeps the newest
        received_.erase(received_.begin(), received_.begin() + kReceivedLimit / 2);
    received_.push_back({frame, r.text});
    frames_cv_.notify_all();
    return r;
}

SimDevice::Hits SimDevice::hits_for(bool faulty, std::uint8_t code, int occurrence) const
{
    Hits h;
    if (faulty) {
        h.silence = faults_.silence;
        h.garbage = faults_.garbage;
        h.bad_checksum = faults_.bad_checksum;
        h.wrong_length = faults_.wrong_length;
        h.of = faults_.of;
        h.os = faults_.os;
        h.ol = faults_.ol;
        h.type_code = faults_.type_code;
    }
    for (const AimedFault& a : faults_.aimed) {
        if (a.code != code || (a.occurrence != 0 && a.occurrence != occurrence))
            continue;
        switch (a.fault) {
        case ReplyFault::Silence:
            h.silence = true;
            break;
        case ReplyFault::Garbage:
            h.garbage = true;
            break;
        case ReplyFault::BadChecksum:
            h.bad_checksum = true;
            break;
        case ReplyFault::WrongLength:
            h.wrong_length = true;
            break;
        case ReplyFault::Of:
            h.of = true;
            break;
        case ReplyFault::Os:
            h.os = true;
            break;
        case ReplyFault::Ol:
            h.ol = true;
            break;
        case ReplyFault::WrongType:
            h.type_code = a.type_code;
            break;
        }
    }
    return h;
}

std::string SimDevice::marker(const Hits& hits)
{
    if (hits.os)
        return "os#\r";
    if (hits.ol)
        return "ol#\r";
    if (hits.of)
        return "of#\r";
    return "on#\r";
}

std::string SimDevice::read_answer(const std::array<std::uint8_t, 10>& data, const Hits& hits)
{
    std::string text;
    for (std::uint8_t b : data)
        text += hex_pair(b);
    std::uint8_t sum = text_checksum(text);
    if (hits.bad_checksum)
        sum = static_cast<std::uint8_t>(sum + 1);
    text += hex_pair(sum);
    if (hits.wrong_length)
        text.erase(0, 1);
    return text + marker(hits);
}

std::array<std::uint8_t, 10> SimDevice::status_bytes(bool identify, const Hits& hits) const
{
    std::array<std::uint8_t, 10> data{};
    data[0] = static_cast<std::uint8_t>(hits.type_code ? *hits.type_code : DEVICE_TYPE_CODE);
    if (identify) {
        data[1] = static_cast<std::uint8_t>(lux_ & 0xFF);
        data[2] = static_cast<std::uint8_t>((lux_ >> 8) & 0xFF);
        data[3] = optics_[kSensorByte]; // the setting it works by, 0 = on
    } else {
        const std::array<std::uint8_t, 7> clock =
            fixed_clock_ ? *fixed_clock_ : clock_of(std::time(nullptr) + clock_offset_);
        std::copy(clock.begin(), clock.end(), data.begin() + 1);
    }
    return data;
}

std::string SimDevice::answer_for(const Frame& frame, const Hits& hits)
{
    const bool is_write = frame.params.size() == 12;
    if (is_write) {
        switch (frame.code) {
        case CMD_WRITE_OPTICS_A:
            std::copy_n(frame.params.begin(), 12, optics_.begin());
            break;
        case CMD_WRITE_OPTICS_B:
            std::copy_n(frame.params.begin(), 10, optics_.begin() + 12);
            break;
        case CMD_BRIGHTNESS_PREVIEW:
            std::copy_n(frame.params.begin(), 5, preview_.begin());
            ++preview_count_;
            break;
        default:
            return "of#\r";
        }
        return marker(hits);
    }
    const OpticsBytes& m = optics_;
    switch (frame.code) {
    case CMD_STATUS: {
        const bool identify =
            status_reply_ == StatusReply::Identify || (status_reply_ == StatusReply::Auto && !identified_);
        // Identified once the program can take the answer as it stands.
        const bool whole = !hits.bad_checksum && !hits.wrong_length && !hits.of && !hits.os && !hits.ol;
        if (status_reply_ == StatusReply::Auto && identify && whole)
            identified_ = true;
        return read_answer(status_bytes(identify, hits), hits);
    }
    case CMD_READ_OPTICS_A:
        return read_answer({m[0], m[1], m[2], m[3], m[4], m[5], m[6], m[7], m[8], m[9]}, hits);
    case CMD_READ_OPTICS_B:
        return read_answer({m[10], m[11], m[12], m[13], m[14], m[15], m[16], m[17], m[19], m[18]}, hits);
    case CMD_READ_OPTICS_C:
        return read_answer({m[21], m[20], 0, 0, 0, 0, 0, 0, 0, 0}, hits);
    default:
        return "of#\r";
    }
}

void SimDevice::set_faults(const Faults& f)
{
    std::lock_guard lock(mutex_);
    faults_ = f;
    frames_seen_ = 0;
    seen_by_code_.fill(0);
}

Faults SimDevice::faults() const
{
    std::lock_guard lock(mutex_);
    return faults_;
}

void SimDevice::set_status_reply(StatusReply r)
{
    std::lock_guard lock(mutex_);
    status_reply_ = r;
}

void SimDevice::set_lux(int lux)
{
    std::lock_guard lock(mutex_);
    lux_ = lux;
}

void SimDevice::set_sensor_on(bool on)
{
    std::lock_guard lock(mutex_);
    optics_[kSensorByte] = on ? 0 : 1;
}

void SimDevice::use_system_clock()
{
    std::lock_guard lock(mutex_);
    fixed_clock_.reset();
    clock_offset_ = 0;
}

void SimDevice::set_clock(const std::tm& local)
{
    std::tm copy = local;
    copy.tm_isdst = -1;
    const std::time_t wanted = std::mktime(&copy);
    std::lock_guard lock(mutex_);
    fixed_clock_.reset();
    clock_offset_ = wanted - std::time(nullptr);
}

void SimDevice::set_clock_offset(long long seconds)
{
    std::lock_guard lock(mutex_);
    fixed_clock_.reset();
    clock_offset_ = static_cast<std::time_t>(seconds);
}

void SimDevice::set_clock_bytes(const std::array<std::uint8_t, 7>& bytes)
{
    std::lock_guard lock(mutex_);
    fixed_clock_ = bytes;
}

std::array<std::uint8_t, 7> SimDevice::clock_bytes() const
{
    std::lock_guard lock(mutex_);
    return fixed_clock_ ? *fixed_clock_ : clock_of(std::time(nullptr) + clock_offset_);
}

void SimDevice::set_optics(const OpticsBytes& bytes)
{
    std::lock_guard lock(mutex_);
    optics_ = bytes;
}

OpticsBytes SimDevice::optics() const
{
    std::lock_guard lock(mutex_);
    return optics_;
}

std::array<std::uint8_t, 5> SimDevice::preview() const
{
    std::lock_guard lock(mutex_);
    return preview_;
}

int SimDevice::preview_count() const
{
    std::lock_guard lock(mutex_);
    return preview_count_;
}

std::vector<Received> SimDevice::received() const
{
    std::lock_guard lock(mutex_);
    return received_;
}

std::size_t SimDevice::frame_count() const
{
    std::lock_guard lock(mutex_);
    return received_.size();
}

void SimDevice::clear_received()
{
    std::lock_guard lock(mutex_);
    received_.clear();
}

bool SimDevice::wait_for_frames(std::size_t n, std::chrono::milliseconds limit) const
{
    std::unique_lock lock(mutex_);
    return frames_cv_.wait_for(lock, limit, [&] { return received_.size() >= n; });
}

} // namespace zuzo::sim
