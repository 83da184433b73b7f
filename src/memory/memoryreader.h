#pragma once
// The memory reader window form3, opened by Command12 of the main window.

#include <QObject>

namespace callcfg {

class Form1;
class Link;
struct Images;

class MemoryReader : public QObject {
    Q_OBJECT
public:
    MemoryReader(Form1& form1, Link& link, Images& images);
    ~MemoryReader() override;

private:
    Form1& form1_;
    Link& link_;
    Images& images_;
};

} // namespace callcfg
