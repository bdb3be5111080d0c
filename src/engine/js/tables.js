// Table commands (14-21) on the table around the selection. The table is read into a grid of
// slots (rows x columns, each slot naming the cell that covers it, from rowSpan/colSpan), the
// change is planned on the grid and written back so that spans stay consistent: no span reaches
// past the table, and every row keeps covering every column it covered before.

function cellOf(node) {
    return closestElement(node, (el) => el.tagName === 'TD' || el.tagName === 'TH', document.body);
}

function tableOf(cell) {
    return cell ? closestElement(cell, (el) => el.tagName === 'TABLE', document.body) : null;
}

// rows: the table's own rows in order (not those of nested tables); slots[r][c] = cell.
function readGrid(table) {
    const rows = Array.prototype.filter.call(table.rows, (row) => row.closest('table') === table);
    const slots = rows.map(() => []);
    const origin = new Map(); // cell -> { row, col, rows, cols }
    let width = 0;
    rows.forEach((row, r) => {
        let c = 0;
        for (const cell of row.cells) {
            while (slots[r][c])
                ++c;
            const rs = Math.max(1, Math.min(cell.rowSpan || 1, rows.length - r));
            const cs = Math.max(1, cell.colSpan || 1);
            origin.set(cell, { row: r, col: c, rows: rs, cols: cs });
            for (let i = 0; i < rs; ++i) {
                for (let j = 0; j < cs; ++j)
                    slots[r + i][c + j] = cell;
            }
            c += cs;
            width = Math.max(width, c);
        }
        width = Math.max(width, slots[r].length);
    });
    return { table: table, rows: rows, slots: slots, origin: origin, width: width };
}

// Cells the selection touches, in document order; the caret's cell alone for a caret.
function selectedCells(grid, range) {
    const cells = [];
    for (const [cell] of grid.origin) {
        if (range.collapsed ? cell.contains(range.startContainer)
                            : range.intersectsNode(cell) && touchesContent(range, cell))
            cells.push(cell);
    }
    if (!cells.length) {
        const cell = cellOf(range.startContainer);
        if (cell && grid.origin.has(cell))
            cells.push(cell);
    }
    return cells;
}

// A range that merely ends at the very start of a cell does not select it.
function touchesContent(range, cell) {
    const inner = document.createRange();
    inner.selectNodeContents(cell);
    if (range.compareBoundaryPoints(Range.START_TO_END, inner) <= 0 && !inner.collapsed)
        return false;
    if (range.compareBoundaryPoints(Range.END_TO_START, inner) >= 0 && !inner.collapsed)
        return false;
    return true;
}

function tableContext() {
    if (control.element)
        return null;
    const range = selectionRange();
    if (!range || selectionType() !== kSelText)
        return null;
    const cell = cellOf(range.startContainer);
    const table = tableOf(cell);
    if (!table)
        return null;
    const grid = readGrid(table);
    if (!grid.origin.has(cell))
        return null;
    return { grid: grid, cell: cell, range: range, cells: selectedCells(grid, range) };
}

function bounds(grid, cells) {
    let top = Infinity, left = Infinity, bottom = -1, right = -1;
    for (const cell of cells) {
        const o = grid.origin.get(cell);
        top = Math.min(top, o.row);
        left = Math.min(left, o.col);
        bottom = Math.max(bottom, o.row + o.rows - 1);
        right = Math.max(right, o.col + o.cols - 1);
    }
    return { top: top, left: left, bottom: bottom, right: right };
}

// The cells that lie wholly inside a rectangle, or null when one sticks out of it.
function cellsInRectangle(grid, b) {
    const inside = new Set();
    for (let r = b.top; r <= b.bottom; ++r) {
        for (let c = b.left; c <= b.right; ++c) {
            const cell = grid.slots[r][c];
            if (!cell)
                return null;
            const o = grid.origin.get(cell);
            if (o.row < b.top || o.col < b.left || o.row + o.rows - 1 > b.bottom ||
                o.col + o.cols - 1 > b.right)
                return null;
            inside.add(cell);
        }
    }
    return inside;
}

function mergeRectangle(ctx) {
    if (ctx.cells.length < 2)
        return null;
    const b = bounds(ctx.grid, ctx.cells);
    const inside = cellsInRectangle(ctx.grid, b);
    return inside && inside.size >= 2 ? { bounds: b, cells: inside } : null;
}

// With a caret only the cell around it matters (no grid is read, so typing in a large table
// stays cheap); a wider selection reads the grid to see whether it can be merged.
flagProviders.push((set, sel, range) => {
    const cell = sel === kSelText && range ? cellOf(range.startContainer) : null;
    const inTable = !!cell && !!tableOf(cell);
    for (const id of [14, 15, 16, 17, 20, 21])
        set(id, inTable ? F_ENABLED : 0);
    let mergeable = false;
    if (inTable && !range.collapsed) {
        const ctx = tableContext();
        mergeable = !!ctx && !!mergeRectangle(ctx);
    }
    set(18, mergeable ? F_ENABLED : 0);
    set(19, inTable && (cell.rowSpan > 1 || cell.colSpan > 1) ? F_ENABLED : 0);
    set(22, sel === kSelText ? F_ENABLED : 0);
});

// ---- compiled once the page is editable ----

function newCellLike(cell) {
    const created = document.createElement(cell && cell.tagName === 'TH' ? 'th' : 'td');
    return created;
}

function setSpan(cell, name, value) {
    if (value <= 1)
        cell.removeAttribute(name);
    else
        cell.setAttribute(name, String(value));
}

function placeCaretIn(cell) {
    if (!cell || !cell.isConnected)
        return;
    const selection = document.getSelection();
    selection.collapse(cell, 0);
}

// The DOM position in row r before which a cell starting at column col belongs.
function insertionPoint(grid, r, col) {
    for (const cell of grid.rows[r].cells) {
        if (grid.origin.get(cell).col >= col)
            return cell;
    }
    return null;
}

// 14: a new row above the caret's row.
function insertRow(ctx) {
    const grid = ctx.grid;
    const r = Math.min(...ctx.cells.map((cell) => grid.origin.get(cell).row));
    const row = document.createElement('tr');
    const seen = new Set();
    for (let c = 0; c < grid.width;) {
        const cell = grid.slots[r][c];
        if (!cell) {
            row.appendChild(document.createElement('td'));
            ++c;
            continue;
        }
        const o = grid.origin.get(cell);
        if (o.row < r) {
            if (!seen.has(cell)) {
                setSpan(cell, 'rowspan', o.rows + 1);
                seen.add(cell);
            }
        } else {
            const created = newCellLike(cell);
            setSpan(created, 'colspan', o.cols);
            row.appendChild(created);
        }
        c = o.col + o.cols;
    }
    const before = grid.rows[r];
    before.parentNode.insertBefore(row, before);
    placeCaretIn(row.cells[0] || ctx.cell);
    return true;
}

// 15: a new column left of the caret's column.
function insertColumn(ctx) {
    const grid = ctx.grid;
    const col = Math.min(...ctx.cells.map((cell) => grid.origin.get(cell).col));
    const seen = new Set();
    let first = null;
    for (let r = 0; r < grid.rows.length; ++r) {
        const cell = grid.slots[r][col];
        if (!cell) {
            const created = document.createElement('td');
            grid.rows[r].appendChild(created);
            first = first || created;
            continue;
        }
        const o = grid.origin.get(cell);
        if (o.col < col) {
            if (!seen.has(cell)) {
                setSpan(cell, 'colspan', o.cols + 1);
                seen.add(cell);
            }
        } else if (o.row === r) {
            const created = newCellLike(cell);
            setSpan(created, 'rowspan', o.rows);
            grid.rows[r].insertBefore(created, cell);
            first = first || created;
        }
    }
    placeCaretIn(ctx.cell);
    return true;
}

// 16: the rows of the selected cells go; cells reaching into them shrink, cells starting in
// them and reaching below move down to the first row that stays.
function deleteRows(ctx) {
    const grid = ctx.grid;
    const b = bounds(grid, ctx.cells);
    const count = b.bottom - b.top + 1;
    if (count >= grid.rows.length) {
        removeTable(grid.table);
        return true;
    }
    const below = b.bottom + 1 < grid.rows.length ? b.bottom + 1 : -1;
    for (const [cell, o] of grid.origin) {
        const last = o.row + o.rows - 1;
        if (last < b.top || o.row > b.bottom)
            continue;
        const overlap = Math.min(last, b.bottom) - Math.max(o.row, b.top) + 1;
        if (o.row < b.top) {
            setSpan(cell, 'rowspan', o.rows - overlap);
        } else if (last > b.bottom && below >= 0) {
            setSpan(cell, 'rowspan', o.rows - overlap);
            grid.rows[below].insertBefore(cell, insertionPoint(grid, below, o.col));
        }
    }
    for (let r = b.top; r <= b.bottom; ++r)
        grid.rows[r].remove();
    const next = grid.rows[below >= 0 ? below : b.top - 1];
    placeCaretIn(next && next.cells[0]);
    return true;
}

// 17: the columns of the selected cells go; wider cells shrink.
function deleteColumns(ctx) {
    const grid = ctx.grid;
    const b = bounds(grid, ctx.cells);
    if (b.left === 0 && b.right >= grid.width - 1) {
        removeTable(grid.table);
        return true;
    }
    for (const [cell, o] of grid.origin) {
        const last = o.col + o.cols - 1;
        if (last < b.left || o.col > b.right)
            continue;
        const overlap = Math.min(last, b.right) - Math.max(o.col, b.left) + 1;
        if (overlap >= o.cols)
            cell.remove();
        else
            setSpan(cell, 'colspan', o.cols - overlap);
    }
    for (const row of grid.rows) {
        if (!row.cells.length)
            row.remove();
    }
    const keep = grid.slots[0][b.left > 0 ? b.left - 1 : b.right + 1];
    placeCaretIn(keep && keep.isConnected ? keep : null);
    return true;
}

function removeTable(table) {
    const parent = table.parentNode;
    const next = table.nextSibling;
    table.remove();
    const selection = document.getSelection();
    selection.collapse(parent, next ? Array.prototype.indexOf.call(parent.childNodes, next)
                                    : parent.childNodes.length);
}

// 18: the selected rectangle becomes its top-left cell, holding the content of all of them.
function mergeCells(ctx) {
    const merge = mergeRectangle(ctx);
    if (!merge)
        return false;
    const b = merge.bounds;
    const target = ctx.grid.slots[b.top][b.left];
    for (const cell of merge.cells) {
        if (cell === target)
            continue;
        if (hasContent(cell)) {
            if (target.childNodes.length)
                target.appendChild(document.createTextNode(' '));
            while (cell.firstChild)
                target.appendChild(cell.firstChild);
        }
        cell.remove();
    }
    setSpan(target, 'rowspan', b.bottom - b.top + 1);
    setSpan(target, 'colspan', b.right - b.left + 1);
    placeCaretIn(target);
    return true;
}

function hasContent(cell) {
    return /\S/.test(cell.textContent) || !!cell.querySelector(':not(br)');
}

// 19: a spanning cell becomes single cells; the new ones are empty.
function splitCell(ctx) {
    const cell = ctx.cell;
    const grid = ctx.grid;
    const o = grid.origin.get(cell);
    if (o.rows < 2 && o.cols < 2)
        return false;
    for (let r = o.row; r < o.row + o.rows; ++r) {
        const before = r === o.row ? cell.nextSibling : insertionPoint(grid, r, o.col + o.cols);
        const from = r === o.row ? 1 : 0;
        for (let j = from; j < o.cols; ++j)
            grid.rows[r].insertBefore(newCellLike(cell), before);
    }
    cell.removeAttribute('rowspan');
    cell.removeAttribute('colspan');
    placeCaretIn(cell);
    return true;
}

// 20: a new cell before the caret's cell, in its row.
function insertCell(ctx) {
    const created = newCellLike(ctx.cell);
    ctx.cell.parentNode.insertBefore(created, ctx.cell);
    placeCaretIn(created);
    return true;
}

// 21: the selected cells go; rows left empty go with them, and the table when nothing is left.
function deleteCells(ctx) {
    const rows = new Set();
    for (const cell of ctx.cells) {
        rows.add(cell.parentNode);
        cell.remove();
    }
    for (const row of rows) {
        if (!row.cells.length)
            row.remove();
    }
    const table = ctx.grid.table;
    if (!table.rows.length) {
        removeTable(table);
        return true;
    }
    const row = [...rows].find((r) => r.isConnected) || table.rows[0];
    placeCaretIn(row.cells[0]);
    return true;
}

const kTableCommands = {
    14: insertRow, 15: insertColumn, 16: deleteRows, 17: deleteColumns, 18: mergeCells,
    19: splitCell, 20: insertCell, 21: deleteCells,
};

for (const id of Object.keys(kTableCommands)) {
    commandHandlers[id] = () => {
        const ctx = tableContext();
        if (!ctx)
            return false;
        return journal.operation(() => kTableCommands[id](ctx));
    };
}

// 22: a plain table of the given size at the selection (the host normally builds its own).
commandHandlers[22] = (input) => {
    const rows = Math.max(1, Math.min(100, parseInt(input && input.rows, 10) || 2));
    const columns = Math.max(1, Math.min(100, parseInt(input && input.columns, 10) || 2));
    const range = selectionRange();
    if (!range || selectionType() !== kSelText)
        return false;
    let html = '<table border="1">';
    for (let r = 0; r < rows; ++r)
        html += '<tr>' + '<td></td>'.repeat(columns) + '</tr>';
    html += '</table>';
    return journal.operation(() => {
        insertFragmentAt(range, html);
        return true;
    });
};
