#include "editor/kov_view.h"

namespace korvel {

struct CKovView::Parts {};

CKovView::CKovView(CKovDoc& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), document_(document), prompter_(prompter), parts_(new Parts) {}

CKovView::~CKovView() { delete parts_; }

void CKovView::OnInitialUpdate() {}
void CKovView::CollectInto(MemoryImage&) {}
void CKovView::CommitEdit() {}
void CKovView::OnEditData() {}
QSize CKovView::FormSize() const { return {610, 420}; }

}  // namespace korvel
