#include "app/listwindows/Formadifimport.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/Messages.h"
#include "platform/qt/QtText.h"

namespace mss::app {

namespace {

// The left list hands a dragged field on by its name.
class AdifFieldList : public QListWidget {
  public:
    using QListWidget::QListWidget;

  protected:
    QStringList mimeTypes() const override { return {QString::fromLatin1(kAdifFieldMime)}; }
    QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
        auto* data = new QMimeData;
        if (!items.isEmpty())
            data->setData(QString::fromLatin1(kAdifFieldMime), items.first()->text().toUtf8());
        return data;
    }
};

}  // namespace

TFormadifimport::TFormadifimport(const contest::ContestDefinition& definition, QWidget* parent)
    : QDialog(parent), definition_(definition), fields_(log::AdifLogFields(definition)) {
    setObjectName(QStringLiteral("Formadifimport"));
    setWindowTitle(QStringLiteral("ADIF-Import"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(
        "Mit dieser Funktion k\u00F6nnen ADIF-Dateien anderer Logb\u00FCcher eingelesen werden.")));
    auto* btnDatei = new QPushButton(QStringLiteral("ADIF-Datei ausw\u00E4hlen"));
    btnDatei->setObjectName(QStringLiteral("btnDatei"));
    btnDatei->setAutoDefault(false);
    layout->addWidget(btnDatei);
    ldatei_ = new QLabel;
    ldatei_->setObjectName(QStringLiteral("ldatei"));
    layout->addWidget(ldatei_);

    auto* tabs = new QTabWidget;
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    grid->addWidget(new QLabel(QStringLiteral("Ziehen Sie mit der Maus die gew\u00FCnschten "
                                              "Eintr\u00E4ge aus der linken in die rechte Liste.")),
                    0, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Felder der ADIF-Datei")), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Felder im Log")), 1, 1);
    ListeLinks_ = new AdifFieldList;
    ListeLinks_->setObjectName(QStringLiteral("ListeLinks"));
    ListeLinks_->setDragEnabled(true);
    ListeLinks_->setDragDropMode(QAbstractItemView::DragOnly);
    ListeRechtsLB_ = new QListWidget;
    ListeRechtsLB_->setObjectName(QStringLiteral("ListeRechtsLB"));
    ListeRechtsLB_->setAcceptDrops(true);
    ListeRechtsLB_->viewport()->setAcceptDrops(true);
    ListeRechtsLB_->viewport()->installEventFilter(this);
    grid->addWidget(ListeLinks_, 2, 0);
    grid->addWidget(ListeRechtsLB_, 2, 1);
    tabs->addTab(page, QStringLiteral("Feldzuordnung"));
    layout->addWidget(tabs);

    cKeinCheck_ = new QCheckBox(QStringLiteral("keine Mode/Band-\u00DCberpr\u00FCfung"));
    cKeinCheck_->setObjectName(QStringLiteral("cKeinCheck"));
    layout->addWidget(cKeinCheck_);
    cDigital_ = new QCheckBox(
        QStringLiteral("MSK144, JT6M und FSK441 als Digitalmode des Contests werten"));
    cDigital_->setObjectName(QStringLiteral("cDigital"));
    cDigital_->setChecked(true);
    layout->addWidget(cDigital_);
    auto* buttons = new QHBoxLayout;
    btnStart_ = new QPushButton(QStringLiteral("Start"));
    btnStart_->setObjectName(QStringLiteral("btnStart"));
    btnStart_->setDefault(true);
    btnStart_->setEnabled(false);
    auto* btnAbbruch = new QPushButton(QStringLiteral("Abbruch"));
    btnAbbruch->setObjectName(QStringLiteral("btnAbbruch"));
    buttons->addStretch();
    buttons->addWidget(btnStart_);
    buttons->addWidget(btnAbbruch);
    layout->addLayout(buttons);

    connect(btnDatei, &QPushButton::clicked, this, &TFormadifimport::ChooseFile);
    connect(btnStart_, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnAbbruch, &QPushButton::clicked, this, &QDialog::reject);
    ShowRightList();
    resize(560, 460);
}

void TFormadifimport::ChooseFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, {}, {}, QStringLiteral("ADIF-Datei (*.adi *.adif *.ADI *.ADIF)"));
    if (!path.isEmpty()) (void)LoadFile(path);
}

bool TFormadifimport::LoadFile(const QString& path) {
    ListeLinks_->clear();
    file_ = {};
    ldatei_->setText(path);
    std::optional<log::AdifFile> read = log::ReadAdifFile(QFile::encodeName(path).toStdString());
    if (!read) {
        platform::CurrentMessages().Information("Datei existiert nicht");
        return false;
    }
    file_ = std::move(*read);
    fields_ = log::AdifLogFields(definition_);
    log::MapStandardAdifFields(fields_, definition_, file_);
    bool anyMapped = false;
    for (const std::string& name : file_.FieldNames()) {
        bool mapped = false;
        for (const log::AdifLogField& f : fields_) mapped = mapped || f.adifName == name;
        if (!mapped) ListeLinks_->addItem(platform::QtText(name));
        anyMapped = anyMapped || mapped;
    }
    ShowRightList();
    btnStart_->setEnabled(anyMapped);
    return true;
}

bool TFormadifimport::MapField(int rightRow, const QString& adifName) {
    if (rightRow < 0 || rightRow >= static_cast<int>(fields_.size())) return false;
    const std::string name = platform::Cp1252Text(adifName);
    if (!log::MapAdifField(fields_, fields_[static_cast<std::size_t>(rightRow)].caption, name))
        return false;
    const QList<QListWidgetItem*> left = ListeLinks_->findItems(adifName, Qt::MatchExactly);
    for (QListWidgetItem* item : left) delete ListeLinks_->takeItem(ListeLinks_->row(item));
    ShowRightList();
    btnStart_->setEnabled(true);
    return true;
}

log::AdifImportOptions TFormadifimport::Options() const {
    return {.noModeBandCheck = cKeinCheck_->isChecked(),
            .digitalAsContestMode = cDigital_->isChecked()};
}

void TFormadifimport::ShowRightList() {
    ListeRechtsLB_->clear();
    for (const log::AdifLogField& f : fields_)
        ListeRechtsLB_->addItem(platform::QtText(log::AdifLogFieldText(f)));
}

bool TFormadifimport::eventFilter(QObject* watched, QEvent* event) {
    if (watched != ListeRechtsLB_->viewport()) return QDialog::eventFilter(watched, event);
    const QString mime = QString::fromLatin1(kAdifFieldMime);
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            const QListWidgetItem* item = ListeRechtsLB_->itemAt(drag->position().toPoint());
            const bool free =
                item != nullptr &&
                fields_[static_cast<std::size_t>(ListeRechtsLB_->row(item))].adifName.empty();
            if (drag->mimeData()->hasFormat(mime) && (free || event->type() == QEvent::DragEnter))
                drag->acceptProposedAction();
            else
                drag->ignore();
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QListWidgetItem* item = ListeRechtsLB_->itemAt(drop->position().toPoint());
            if (item != nullptr && drop->mimeData()->hasFormat(mime) &&
                MapField(ListeRechtsLB_->row(item),
                         QString::fromUtf8(drop->mimeData()->data(mime))))
                drop->acceptProposedAction();
            else
                drop->ignore();
            return true;
        }
        default:
            return QDialog::eventFilter(watched, event);
    }
}

}  // namespace mss::app
