#pragma once
// The errors the program raises. Every one reaches the framework's dispatch
// boundary, which shows its message; nothing below that catches.

#include <stdexcept>
#include <string>

// Base of all of the program's own errors; the class name appears in the
// box for an error that escapes start-up.
class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message)
        : std::runtime_error(message), address_(__builtin_return_address(0)) {}
    virtual const char* ClassName() const { return "Exception"; }
    // Roughly where it was raised, for that same box.
    const void* Address() const { return address_; }

  private:
    const void* address_;
};

#define QUORBEL_ERROR_CLASS(Name)                                                                  \
    class Name : public Exception {                                                                \
      public:                                                                                      \
        using Exception::Exception;                                                                \
        const char* ClassName() const override { return #Name; }                                   \
    }

QUORBEL_ERROR_CLASS(ERangeError);
QUORBEL_ERROR_CLASS(ERegistryException);
QUORBEL_ERROR_CLASS(EOutOfResources);
QUORBEL_ERROR_CLASS(EJpegError);
QUORBEL_ERROR_CLASS(EInputError);    // a masked field's check
QUORBEL_ERROR_CLASS(ECalendarError); // the month calendar refused a date
