#include <maya/MString.h>

MString::MString() = default;
MString::MString(const char* text) : text_(text != nullptr ? text : "") {}
MString::MString(const char* text, int length)
    : text_(text != nullptr && length > 0 ? std::string(text, static_cast<std::size_t>(length))
                                          : std::string()) {}
MString::MString(const MString& other) = default;
MString& MString::operator=(const MString& other) = default;
MString::~MString() = default;

MString& MString::operator=(const char* text) {
    text_ = text != nullptr ? text : "";
    return *this;
}

MString& MString::operator+=(const MString& other) {
    text_ += other.text_;
    return *this;
}

MString& MString::operator+=(const char* text) {
    if (text != nullptr) {
        text_ += text;
    }
    return *this;
}

MString MString::operator+(const MString& other) const {
    MString result(*this);
    result += other;
    return result;
}

MString MString::operator+(const char* text) const {
    MString result(*this);
    result += text;
    return result;
}

bool MString::operator==(const MString& other) const {
    return text_ == other.text_;
}

bool MString::operator==(const char* text) const {
    return text != nullptr && text_ == text;
}

const char* MString::asChar() const {
    return text_.c_str();
}

unsigned int MString::length() const {
    return static_cast<unsigned int>(text_.size());
}
