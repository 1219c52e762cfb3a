#pragma once
#include <QString>
#include <stdexcept>

// An error of the store or of a dataset operation; its text is what the
// application's error box shows.
class EDatabaseError : public std::runtime_error {
public:
  explicit EDatabaseError(const QString &message)
      : std::runtime_error(message.toStdString()), m_message(message) {}
  const QString &message() const { return m_message; }

private:
  QString m_message;
};
